#pragma once

#include <QByteArray>
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

// The lines of one INI file in memory. Edits change only the lines they concern;
// new lines end in CR LF.
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
    enum class Kind { Other, Section, Entry };
    struct Line {
        QByteArray raw; // as in the file, with its line ending
        Kind kind = Kind::Other;
        QString name;  // section or key name, trimmed and ASCII-lowercased
        QString value; // entry value as read
    };

    static Line parse(const QByteArray& raw, QStringView text);
    // Index of the first entry line matching, or -1.
    qsizetype find(const QString& section, const QString& key) const;

    std::vector<Line> m_lines;
    bool m_changed = false;
};

class Profile {
public:
    explicit Profile(QString path);

    const QString& path() const { return m_path; }

    // One entry, each call under the file's lock. Reads of a missing or unreadable
    // file give empty text; writes report failure.
    QString read(QStringView section, QStringView key) const;
    bool write(QStringView section, QStringView key, QStringView value);
    bool remove(QStringView section, QStringView key);

    // Runs edit under the file's lock on the file read once, then saves it once
    // (atomically) if anything changed. False if the file exists but cannot be read
    // (edit is then not called) or if the save failed.
    bool transaction(const std::function<void(ProfileEditor&)>& edit);

    // The file's lock, shared by every Profile of the same file in this process.
    // It is not recursive: while holding it, call no other member; edit inside
    // transaction() instead.
    std::unique_lock<std::mutex> lock() const;

    // The lock of the file at path; one per canonical path for the life of the process.
    static std::mutex& mutexFor(const QString& path);

private:
    QString m_path;
    std::mutex* m_mutex;
};

} // namespace tavrin
