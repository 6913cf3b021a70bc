#pragma once

#include <QObject>
#include <QString>

class QUrl;

namespace tavrin {

// One alert clip as the sound module plays it. The module is loaded at the first
// play: linking Qt Multimedia into the program would load it, with the sound
// server's client and its codecs, at every start.
class ClipBackend : public QObject {
public:
    using QObject::QObject;
    virtual void play() = 0;
    virtual bool isReady() const = 0;
    virtual bool isPlaying() const = 0;
};

// The module's one export: makes the clip of source (a qrc: URL), a child of parent.
using CreateClipFunction = ClipBackend* (*)(const QUrl& source, QObject* parent);
inline constexpr char createClipSymbol[] = "tavrinCreateClip";

QString clipModuleName();

// The module's entry, loaded from folder and kept loaded; null, after one warning
// naming the reason, when the module is missing or is not one.
CreateClipFunction loadClipModule(const QString& folder);

} // namespace tavrin
