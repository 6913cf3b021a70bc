#include "platform/profile.h"

#include "platform/gbk.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <map>
#include <memory>

namespace tavrin {

namespace {

// The blanks Windows trims around names and values (the C locale's isspace).
bool isBlank(QChar c) {
    const char16_t u = c.unicode();
    return u == ' ' || u == '\t' || u == '\r' || u == '\n' || u == '\v' || u == '\f';
}

QStringView trimmed(QStringView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

// Only ASCII letters fold: Windows compares "ABC" and "abc" as equal but leaves
// every other character as it is.
QString foldAscii(QStringView text) {
    QString folded = text.toString();
    for (QChar& c : folded) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + (u'a' - u'A'));
    }
    return folded;
}

QStringView withoutQuotes(QStringView value) {
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front())
        return value.sliced(1, value.size() - 2);
    return value;
}

bool hasLineBreak(QStringView text) {
    return text.contains(u'\r') || text.contains(u'\n');
}

std::vector<QByteArray> splitLines(const QByteArray& content) {
    std::vector<QByteArray> lines;
    qsizetype start = 0;
    while (start < content.size()) {
        const qsizetype newline = content.indexOf('\n', start);
        const qsizetype end = newline < 0 ? content.size() : newline + 1;
        lines.push_back(content.mid(start, end - start));
        start = end;
    }
    return lines;
}

QByteArrayView lineEnding(const QByteArray& raw) {
    if (raw.endsWith("\r\n"))
        return "\r\n";
    if (raw.endsWith('\n'))
        return "\n";
    return {};
}

} // namespace

ProfileEditor::ProfileEditor(const QByteArray& content) {
    const std::vector<QByteArray> raws = splitLines(content);
    // One decode for the whole file; a line break byte never occurs inside a GBK
    // character, so the decoded text splits into the same lines.
    const QString text = gbk::decode(content);
    const QList<QStringView> texts = QStringView(text).split(u'\n');
    const bool aligned = texts.size() == qsizetype(raws.size()) ||
                         (texts.size() == qsizetype(raws.size()) + 1 && texts.back().isEmpty());
    m_lines.reserve(raws.size());
    for (std::size_t i = 0; i < raws.size(); ++i) {
        if (aligned) {
            m_lines.push_back(parse(raws[i], texts[qsizetype(i)]));
        } else {
            const QString lineText = gbk::decode(raws[i]);
            m_lines.push_back(parse(raws[i], lineText));
        }
    }
}

ProfileEditor::Line ProfileEditor::parse(const QByteArray& raw, QStringView text) {
    Line line;
    line.raw = raw;
    const QStringView content = trimmed(text);
    if (content.isEmpty() || content.front() == u';')
        return line;
    if (content.front() == u'[') {
        const qsizetype close = content.lastIndexOf(u']');
        if (close > 0) {
            line.kind = Kind::Section;
            line.name = foldAscii(trimmed(content.sliced(1, close - 1)));
        }
        return line;
    }
    const qsizetype equals = content.indexOf(u'=');
    if (equals < 0)
        return line;
    line.kind = Kind::Entry;
    line.name = foldAscii(trimmed(content.first(equals)));
    line.value = withoutQuotes(trimmed(content.sliced(equals + 1))).toString();
    return line;
}

qsizetype ProfileEditor::find(const QString& section, const QString& key) const {
    bool inSection = false;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const Line& line = m_lines[i];
        if (line.kind == Kind::Section)
            inSection = line.name == section;
        else if (inSection && line.kind == Kind::Entry && line.name == key)
            return qsizetype(i);
    }
    return -1;
}

QString ProfileEditor::read(QStringView section, QStringView key) const {
    const qsizetype i = find(foldAscii(trimmed(section)), foldAscii(trimmed(key)));
    return i < 0 ? QString() : m_lines[std::size_t(i)].value;
}

bool ProfileEditor::contains(QStringView section, QStringView key) const {
    return find(foldAscii(trimmed(section)), foldAscii(trimmed(key))) >= 0;
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

    const QString foldedSection = foldAscii(sectionName);
    const QString foldedKey = foldAscii(keyName);
    const qsizetype found = find(foldedSection, foldedKey);
    if (found >= 0) {
        Line& line = m_lines[std::size_t(found)];
        // Keep the key as the file spells it; only the value changes.
        const qsizetype equals = line.raw.indexOf('=');
        QByteArray raw = line.raw.left(equals + 1) + gbk::encode(value) + lineEnding(line.raw);
        if (raw != line.raw) {
            line.raw = std::move(raw);
            line.value = withoutQuotes(trimmed(value)).toString();
            m_changed = true;
        }
        return true;
    }

    Line entry;
    entry.raw = gbk::encode(keyName) + '=' + gbk::encode(value) + "\r\n";
    entry.kind = Kind::Entry;
    entry.name = foldedKey;
    entry.value = withoutQuotes(trimmed(value)).toString();

    // The entry goes after the last entry of the first section of that name, so
    // comments and blank lines before the next section stay where they are.
    qsizetype insertAt = -1;
    bool inSection = false;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const Line& line = m_lines[i];
        if (line.kind == Kind::Section) {
            if (inSection)
                break;
            inSection = line.name == foldedSection;
            if (inSection)
                insertAt = qsizetype(i) + 1;
        } else if (inSection && line.kind == Kind::Entry) {
            insertAt = qsizetype(i) + 1;
        }
    }

    std::vector<Line> added;
    if (insertAt < 0) {
        Line header;
        header.raw = '[' + gbk::encode(sectionName) + "]\r\n";
        header.kind = Kind::Section;
        header.name = foldedSection;
        added.push_back(std::move(header));
        insertAt = qsizetype(m_lines.size());
    }
    added.push_back(std::move(entry));
    if (insertAt > 0) {
        Line& before = m_lines[std::size_t(insertAt - 1)];
        if (lineEnding(before.raw).isEmpty())
            before.raw += "\r\n";
    }
    m_lines.insert(m_lines.begin() + insertAt, std::make_move_iterator(added.begin()),
                   std::make_move_iterator(added.end()));
    m_changed = true;
    return true;
}

void ProfileEditor::remove(QStringView section, QStringView key) {
    const QString foldedSection = foldAscii(trimmed(section));
    const QString foldedKey = foldAscii(trimmed(key));
    bool inSection = false;
    for (auto it = m_lines.begin(); it != m_lines.end();) {
        if (it->kind == Kind::Section)
            inSection = it->name == foldedSection;
        if (inSection && it->kind == Kind::Entry && it->name == foldedKey) {
            it = m_lines.erase(it);
            m_changed = true;
        } else {
            ++it;
        }
    }
}

QByteArray ProfileEditor::content() const {
    qsizetype size = 0;
    for (const Line& line : m_lines)
        size += line.raw.size();
    QByteArray bytes;
    bytes.reserve(size);
    for (const Line& line : m_lines)
        bytes += line.raw;
    return bytes;
}

namespace {

enum class LoadStatus { Loaded, Missing, Unreadable };

LoadStatus load(const QString& path, QByteArray& content) {
    QFile file(path);
    if (!file.exists())
        return LoadStatus::Missing;
    if (!file.open(QIODevice::ReadOnly))
        return LoadStatus::Unreadable;
    content = file.readAll();
    return file.error() == QFileDevice::NoError ? LoadStatus::Loaded : LoadStatus::Unreadable;
}

bool save(const QString& path, const QByteArray& content) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(content) != content.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

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

QString Profile::read(QStringView section, QStringView key) const {
    const auto guard = lock();
    QByteArray content;
    if (load(m_path, content) != LoadStatus::Loaded)
        return {};
    return ProfileEditor(content).read(section, key);
}

bool Profile::write(QStringView section, QStringView key, QStringView value) {
    bool written = false;
    const bool saved =
        transaction([&](ProfileEditor& editor) { written = editor.write(section, key, value); });
    return written && saved;
}

bool Profile::remove(QStringView section, QStringView key) {
    return transaction([&](ProfileEditor& editor) { editor.remove(section, key); });
}

bool Profile::transaction(const std::function<void(ProfileEditor&)>& edit) {
    const auto guard = lock();
    QByteArray content;
    if (load(m_path, content) == LoadStatus::Unreadable)
        return false;
    ProfileEditor editor(content);
    edit(editor);
    if (!editor.changed())
        return true;
    return save(m_path, editor.content());
}

} // namespace tavrin
