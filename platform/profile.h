#pragma once

#include "platform/status.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringView>
#include <functional>
#include <mutex>
#include <vector>

// A GBK INI file read and written one entry at a time, as the Windows private
// profile functions do: sections and keys match case-insensitively for ASCII,
// every line not touched by a write stays byte for byte, values read back
// trimmed of surrounding blanks (and of one pair of enclosing quotes).
namespace tavrin {

// The lines of one INI file in memory. The file is parsed once into an index
// (section and key to line), so every read and write costs the same however
// long the file is. Edits change only the lines they concern; new lines end in
// CR LF. Not for use by several threads at once.
class ProfileEditor {
public:
    ProfileEditor() = default;
    explicit ProfileEditor(const QByteArray& content);

    // Empty text for a missing section or key.
    QString read(QStringView section, QStringView key) const;
    bool contains(QStringView section, QStringView key) const;

    // Replaces the value of the first matching entry, else adds the entry at the end
    // of the section's entries, else adds the section at the end of the file.
    // False, and nothing changed, for a name or value the file cannot hold
    // (empty section or key, a line break, '=' in a key, ']' in a section).
    bool write(QStringView section, QStringView key, QStringView value);

    // Deletes every matching entry; a missing one is no error.
    void remove(QStringView section, QStringView key);

    QByteArray content() const;
    bool changed() const { return m_changed; }

private:
    enum class Kind : quint8 { Other, Section, Entry };
    struct Line {
        qsizetype begin = 0; // the bytes in the file, unless owned
        qsizetype end = 0;   // with the line ending
        qsizetype next = -1; // the next entry line in the same index bucket
        size_t hash = 0;     // of the folded section and key names, for entries
        int section = -1;    // ordinal of the section the line is under
        Kind kind = Kind::Other;
        bool owned = false;   // changed or added: the bytes are in m_owned
        bool removed = false; // deleted
        bool anchor = false;  // added lines follow it
    };
    struct Section {
        QByteArray name;      // trimmed, ASCII letters folded
        size_t hash = 0;      // of name
        qsizetype anchor = 0; // new entries go after this line: the section's last entry, or its header
    };

    QByteArrayView raw(qsizetype line) const;
    int sectionOrdinal(const QByteArray& foldedSection) const;
    qsizetype find(const QByteArray& foldedSection, QByteArrayView foldedKey) const;
    qsizetype addLine(QByteArray bytes, Kind kind, int section, qsizetype after);
    static bool indexed(const Line& line);
    // Sizes the index for entries and links every entry line into it.
    void rehash(size_t entries);
    void link(qsizetype line);
    void appendLine(QByteArray& out, qsizetype line, bool& open) const;

    QByteArray m_content;
    std::vector<Line> m_lines;
    qsizetype m_fileLines = 0;
    std::vector<Section> m_sections;
    QHash<QByteArray, int> m_firstSection; // folded name to its first section
    std::vector<qsizetype> m_buckets;      // by hash of section and key: a chain of lines
    size_t m_indexed = 0;
    QHash<qsizetype, QByteArray> m_owned;             // bytes of changed and added lines
    QHash<qsizetype, std::vector<qsizetype>> m_after; // added lines after a line; -1: the end
    bool m_changed = false;
};

class Profile {
public:
    enum class Load { Loaded, Missing, Unreadable };

    explicit Profile(QString path);

    const QString& path() const { return m_path; }

    // One entry, each call under the file's lock. Reads of a missing or unreadable
    // file give empty text; writes report failure with a message naming the file.
    QString read(QStringView section, QStringView key) const;
    Status write(QStringView section, QStringView key, QStringView value);
    Status remove(QStringView section, QStringView key);

    // Runs edit under the file's lock on the file read once, then saves it once
    // (atomically) if anything changed. A failure if the file exists but cannot be
    // read (edit is then not called) or if the save failed.
    Status transaction(const std::function<void(ProfileEditor&)>& edit);

    // The failure of a write the file cannot hold (see ProfileEditor::write).
    Status unwritable(QStringView section, QStringView key) const;

    // The file's lock, shared by every Profile of the same file in this process.
    // It is not recursive: while holding it, call no other member; edit inside
    // transaction() instead.
    std::unique_lock<std::mutex> lock() const;

    // The file's bytes; the caller holds the lock. A missing file gives no bytes.
    Load load(QByteArray& content) const;
    // Replaces the file with content atomically; the caller holds the lock. A failure
    // names the file, with the system's reason as its detail.
    Status save(const QByteArray& content) const;

    // The lock of the file at path; one per canonical path for the life of the process.
    static std::mutex& mutexFor(const QString& path);

private:
    QString nativePath() const;

    QString m_path;
    std::mutex* m_mutex;
};

} // namespace tavrin
