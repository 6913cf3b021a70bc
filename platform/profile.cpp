#include "platform/profile.h"

#include "platform/gbk.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <map>
#include <memory>

using namespace Qt::StringLiterals;

namespace tavrin {

namespace {

// The blanks Windows trims around names and values (the C locale's isspace).
bool isBlank(char16_t u) {
    return u == ' ' || u == '\t' || u == '\r' || u == '\n' || u == '\v' || u == '\f';
}

QStringView trimmed(QStringView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin].unicode()))
        ++begin;
    while (end > begin && isBlank(text[end - 1].unicode()))
        --end;
    return text.sliced(begin, end - begin);
}

// Blanks are ASCII and never the second byte of a GBK character, so bytes trim
// exactly as the decoded text would.
QByteArrayView trimmed(QByteArrayView bytes) {
    qsizetype begin = 0;
    qsizetype end = bytes.size();
    while (begin < end && isBlank(static_cast<unsigned char>(bytes[begin])))
        ++begin;
    while (end > begin && isBlank(static_cast<unsigned char>(bytes[end - 1])))
        --end;
    return bytes.sliced(begin, end - begin);
}

// Only ASCII letters fold: Windows compares "ABC" and "abc" as equal but leaves
// every other character as it is. The walk goes by GBK characters, so the second
// byte of a double-byte character is never taken for a letter.
qsizetype characterLength(QByteArrayView text, qsizetype i) {
    return static_cast<unsigned char>(text[i]) < 0x80 ? 1 : gbk::characterLength(text, i);
}

template <typename Visit> void foldEach(QByteArrayView text, Visit visit) {
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = characterLength(text, i);
        for (qsizetype k = 0; k < length; ++k) {
            char c = text[i + k];
            if (length == 1 && c >= 'A' && c <= 'Z')
                c = static_cast<char>(c + ('a' - 'A'));
            visit(c);
        }
        i += length;
    }
}

void foldInto(QByteArrayView text, QByteArray& out) {
    out.resize(text.size());
    char* next = out.data();
    foldEach(text, [&](char c) { *next++ = c; });
}

QByteArray folded(QByteArrayView text) {
    QByteArray out;
    foldInto(text, out);
    return out;
}

bool foldedEquals(QByteArrayView text, QByteArrayView foldedText) {
    if (text.size() != foldedText.size())
        return false;
    qsizetype i = 0;
    bool equal = true;
    foldEach(text, [&](char c) { equal = equal && c == foldedText[i++]; });
    return equal;
}

// One converter per thread: opening one costs more than converting a short name.
QByteArray encode(QStringView text) {
    thread_local QStringEncoder encoder("GB18030");
    if (!encoder.isValid())
        return gbk::encode(text);
    QByteArray bytes = encoder.encode(text);
    encoder.resetState();
    return bytes;
}

QString decode(QByteArrayView bytes) {
    bool ascii = true;
    for (char c : bytes)
        ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii)
        return QString::fromLatin1(bytes);
    thread_local QStringDecoder decoder("GB18030");
    if (!decoder.isValid())
        return gbk::decode(bytes);
    QString text = decoder.decode(bytes);
    decoder.resetState();
    return text;
}

QByteArrayView withoutQuotes(QByteArrayView value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.sliced(1, value.size() - 2);
    return value;
}

bool hasLineBreak(QStringView text) {
    return text.contains(u'\r') || text.contains(u'\n');
}

QByteArrayView lineEnding(QByteArrayView raw) {
    if (raw.endsWith("\r\n"))
        return "\r\n";
    if (raw.endsWith('\n'))
        return "\n";
    return {};
}

// The last ']' that is a character of its own, or -1.
qsizetype lastCloseBracket(QByteArrayView text) {
    qsizetype found = -1;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = characterLength(text, i);
        if (length == 1 && text[i] == ']')
            found = i;
        i += length;
    }
    return found;
}

enum class LineKind { Other, Section, Entry };

// What a line is, and its section or key name as written (trimmed, not folded).
// '=' is ASCII below every second byte of a GBK character, so the first '=' byte
// is the first '=' character.
LineKind classify(QByteArrayView raw, QByteArrayView& name) {
    const QByteArrayView content = trimmed(raw);
    if (content.isEmpty() || content.front() == ';')
        return LineKind::Other;
    if (content.front() == '[') {
        const qsizetype close = lastCloseBracket(content);
        if (close <= 0)
            return LineKind::Other;
        name = trimmed(content.sliced(1, close - 1));
        return LineKind::Section;
    }
    const qsizetype equals = content.indexOf('=');
    if (equals < 0)
        return LineKind::Other;
    name = trimmed(content.first(equals));
    return LineKind::Entry;
}

QByteArrayView entryKey(QByteArrayView raw) {
    QByteArrayView name;
    classify(raw, name);
    return name;
}

QString entryValue(QByteArrayView raw) {
    const QByteArrayView content = trimmed(raw);
    return decode(withoutQuotes(trimmed(content.sliced(content.indexOf('=') + 1))));
}

size_t entryHash(size_t sectionHash, QByteArrayView foldedKey) {
    return qHash(foldedKey, sectionHash);
}

QByteArray foldedName(QStringView name) {
    return folded(encode(trimmed(name)));
}

} // namespace

ProfileEditor::ProfileEditor(const QByteArray& content) : m_content(content) {
    const QByteArrayView bytes(m_content);
    m_lines.reserve(size_t(bytes.count('\n')) + 1);
    QByteArray scratch;
    size_t entries = 0;
    for (qsizetype start = 0; start < bytes.size();) {
        // A line break byte never occurs inside a GBK character.
        const qsizetype newline = bytes.indexOf('\n', start);
        const qsizetype end = newline < 0 ? bytes.size() : newline + 1;
        Line line;
        line.begin = start;
        line.end = end;
        QByteArrayView name;
        const LineKind kind = classify(bytes.sliced(start, end - start), name);
        const qsizetype index = qsizetype(m_lines.size());
        if (kind == LineKind::Section) {
            line.kind = Kind::Section;
            line.section = int(m_sections.size());
            Section section;
            section.name = folded(name);
            section.hash = qHash(section.name);
            section.anchor = index;
            // Windows finds entries under every header of a name, but adds to the first.
            if (!m_firstSection.contains(section.name))
                m_firstSection.insert(section.name, line.section);
            m_sections.push_back(std::move(section));
        } else if (kind == LineKind::Entry) {
            line.kind = Kind::Entry;
            line.section = m_sections.empty() ? -1 : int(m_sections.size()) - 1;
            if (line.section >= 0) {
                Section& section = m_sections.back();
                section.anchor = index;
                foldInto(name, scratch);
                line.hash = entryHash(section.hash, scratch);
                ++entries;
            }
        }
        m_lines.push_back(line);
        start = end;
    }
    m_fileLines = qsizetype(m_lines.size());
    rehash(entries);
}

bool ProfileEditor::indexed(const Line& line) {
    return line.kind == Kind::Entry && line.section >= 0 && !line.removed;
}

void ProfileEditor::rehash(size_t entries) {
    size_t buckets = 64;
    while (buckets < entries * 2)
        buckets *= 2;
    m_buckets.assign(buckets, -1);
    m_indexed = 0;
    // Chains are linked from the end, so each one runs in file order: the first
    // match is the one Windows finds.
    for (qsizetype i = qsizetype(m_lines.size()) - 1; i >= 0; --i) {
        if (indexed(m_lines[size_t(i)]))
            link(i);
    }
}

void ProfileEditor::link(qsizetype index) {
    Line& line = m_lines[size_t(index)];
    qsizetype& head = m_buckets[line.hash & (m_buckets.size() - 1)];
    line.next = head;
    head = index;
    ++m_indexed;
}

QByteArrayView ProfileEditor::raw(qsizetype index) const {
    const Line& line = m_lines[size_t(index)];
    if (line.owned)
        return *m_owned.constFind(index);
    return QByteArrayView(m_content).sliced(line.begin, line.end - line.begin);
}

int ProfileEditor::sectionOrdinal(const QByteArray& foldedSection) const {
    return m_firstSection.value(foldedSection, -1);
}

qsizetype ProfileEditor::find(const QByteArray& foldedSection, QByteArrayView foldedKey) const {
    const int ordinal = sectionOrdinal(foldedSection);
    if (ordinal < 0)
        return -1;
    const size_t hash = entryHash(m_sections[size_t(ordinal)].hash, foldedKey);
    for (qsizetype i = m_buckets[hash & (m_buckets.size() - 1)]; i >= 0; i = m_lines[size_t(i)].next) {
        const Line& line = m_lines[size_t(i)];
        if (line.hash != hash || line.removed || m_sections[size_t(line.section)].name != foldedSection)
            continue;
        if (foldedEquals(entryKey(raw(i)), foldedKey))
            return i;
    }
    return -1;
}

QString ProfileEditor::read(QStringView section, QStringView key) const {
    const qsizetype i = find(foldedName(section), foldedName(key));
    return i < 0 ? QString() : entryValue(raw(i));
}

bool ProfileEditor::contains(QStringView section, QStringView key) const {
    return find(foldedName(section), foldedName(key)) >= 0;
}

qsizetype ProfileEditor::addLine(QByteArray bytes, Kind kind, int section, qsizetype after) {
    const qsizetype index = qsizetype(m_lines.size());
    Line line;
    line.kind = kind;
    line.section = section;
    line.owned = true;
    m_lines.push_back(line);
    m_owned.insert(index, std::move(bytes));
    if (after >= 0)
        m_lines[size_t(after)].anchor = true;
    m_after[after].push_back(index);
    return index;
}

bool ProfileEditor::write(QStringView section, QStringView key, QStringView value) {
    const QStringView sectionName = trimmed(section);
    const QStringView keyName = trimmed(key);
    if (sectionName.isEmpty() || hasLineBreak(sectionName) || sectionName.contains(u']'))
        return false;
    if (keyName.isEmpty() || hasLineBreak(keyName) || keyName.contains(u'=') || keyName.front() == u';' ||
        keyName.front() == u'[')
        return false;
    if (hasLineBreak(value))
        return false;

    const QByteArray sectionBytes = encode(sectionName);
    const QByteArray keyBytes = encode(keyName);
    const QByteArray foldedSection = folded(sectionBytes);
    const QByteArray foldedKey = folded(keyBytes);
    const qsizetype found = find(foldedSection, foldedKey);
    if (found >= 0) {
        // Keep the key as the file spells it; only the value changes.
        const QByteArrayView old = raw(found);
        QByteArray bytes = old.first(old.indexOf('=') + 1).toByteArray() + encode(value) + lineEnding(old);
        if (bytes != old) {
            m_owned.insert(found, std::move(bytes));
            m_lines[size_t(found)].owned = true;
            m_changed = true;
        }
        return true;
    }

    int ordinal = sectionOrdinal(foldedSection);
    if (ordinal < 0) {
        ordinal = int(m_sections.size());
        Section added;
        added.name = foldedSection;
        added.hash = qHash(foldedSection);
        added.anchor = addLine('[' + sectionBytes + "]\r\n", Kind::Section, ordinal, -1);
        m_firstSection.insert(foldedSection, ordinal);
        m_sections.push_back(std::move(added));
    }
    // The entry goes after the last entry of the first section of that name, so
    // comments and blank lines before the next section stay where they are.
    Section& target = m_sections[size_t(ordinal)];
    const qsizetype line =
        addLine(keyBytes + '=' + encode(value) + "\r\n", Kind::Entry, ordinal, target.anchor);
    m_lines[size_t(line)].hash = entryHash(target.hash, foldedKey);
    if (m_indexed + 1 > m_buckets.size())
        rehash(m_indexed + 1);
    else
        link(line);
    m_changed = true;
    return true;
}

void ProfileEditor::remove(QStringView section, QStringView key) {
    const QByteArray foldedSection = foldedName(section);
    const QByteArray foldedKey = foldedName(key);
    for (qsizetype i = find(foldedSection, foldedKey); i >= 0; i = find(foldedSection, foldedKey)) {
        m_lines[size_t(i)].removed = true;
        m_changed = true;
    }
}

void ProfileEditor::appendLine(QByteArray& out, qsizetype index, bool& open) const {
    const Line& line = m_lines[size_t(index)];
    if (!line.removed) {
        const QByteArrayView bytes = raw(index);
        // Only the file's last line can lack a line ending; one is added when
        // anything comes after it.
        if (open)
            out += "\r\n";
        out += bytes;
        open = lineEnding(bytes).isEmpty();
    }
    if (line.anchor) {
        for (qsizetype added : *m_after.constFind(index))
            appendLine(out, added, open);
    }
}

QByteArray ProfileEditor::content() const {
    if (!m_changed)
        return m_content;
    qsizetype size = m_content.size();
    for (const QByteArray& bytes : m_owned)
        size += bytes.size() + 2;
    QByteArray out;
    out.reserve(size);
    bool open = false;
    for (qsizetype i = 0; i < m_fileLines; ++i)
        appendLine(out, i, open);
    if (const auto end = m_after.constFind(-1); end != m_after.constEnd()) {
        for (qsizetype added : *end)
            appendLine(out, added, open);
    }
    return out;
}

namespace {

QString lockKey(const QString& path) {
    const QFileInfo info(path);
    QString key = info.canonicalFilePath();
    if (key.isEmpty()) {
        QString directory = QFileInfo(info.absolutePath()).canonicalFilePath();
        if (directory.isEmpty())
            directory = QDir::cleanPath(info.absolutePath());
        key = directory + u'/' + info.fileName();
    }
#ifdef Q_OS_WIN
    key = key.toLower();
#endif
    return key;
}

} // namespace

Profile::Profile(QString path) : m_path(std::move(path)), m_mutex(&mutexFor(m_path)) {}

std::mutex& Profile::mutexFor(const QString& path) {
    static std::mutex registryMutex;
    static std::map<QString, std::unique_ptr<std::mutex>> registry;
    const QString key = lockKey(path);
    const std::lock_guard guard(registryMutex);
    std::unique_ptr<std::mutex>& slot = registry[key];
    if (!slot)
        slot = std::make_unique<std::mutex>();
    return *slot;
}

std::unique_lock<std::mutex> Profile::lock() const {
    return std::unique_lock(*m_mutex);
}

Profile::Load Profile::load(QByteArray& content) const {
    QFile file(m_path);
    if (!file.exists())
        return Load::Missing;
    if (!file.open(QIODevice::ReadOnly))
        return Load::Unreadable;
    content = file.readAll();
    return file.error() == QFileDevice::NoError ? Load::Loaded : Load::Unreadable;
}

QString Profile::nativePath() const {
    return QDir::toNativeSeparators(m_path);
}

Status Profile::save(const QByteArray& content) const {
    QSaveFile file(m_path);
    const auto failed = [&] {
        return Status::failure(u"无法保存文件 %1"_s.arg(nativePath()), file.errorString());
    };
    if (!file.open(QIODevice::WriteOnly))
        return failed();
    if (file.write(content) != content.size()) {
        const Status status = failed();
        file.cancelWriting();
        return status;
    }
    if (!file.commit())
        return failed();
    return {};
}

QString Profile::read(QStringView section, QStringView key) const {
    const auto guard = lock();
    QByteArray content;
    if (load(content) != Load::Loaded)
        return {};
    return ProfileEditor(content).read(section, key);
}

Status Profile::write(QStringView section, QStringView key, QStringView value) {
    bool written = false;
    const Status saved =
        transaction([&](ProfileEditor& editor) { written = editor.write(section, key, value); });
    if (saved && !written)
        return unwritable(section, key);
    return saved;
}

Status Profile::unwritable(QStringView section, QStringView key) const {
    return Status::failure(u"无法写入文件 %1"_s.arg(nativePath()),
                           u"an INI file cannot hold the entry [%1] %2"_s.arg(section, key));
}

Status Profile::remove(QStringView section, QStringView key) {
    return transaction([&](ProfileEditor& editor) { editor.remove(section, key); });
}

Status Profile::transaction(const std::function<void(ProfileEditor&)>& edit) {
    const auto guard = lock();
    QByteArray content;
    if (load(content) == Load::Unreadable)
        return Status::failure(u"无法读取文件 %1"_s.arg(nativePath()),
                               u"the file exists but cannot be read"_s);
    ProfileEditor editor(content);
    edit(editor);
    if (!editor.changed())
        return {};
    return save(editor.content());
}

} // namespace tavrin
