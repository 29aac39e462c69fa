#include "HostFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QSaveFile>
#include <stdexcept>

namespace {

[[noreturn]] void fail(const QString &path, const QString &reason)
{
    throw std::runtime_error(QStringLiteral("cannot write %1: %2").arg(path, reason).toStdString());
}

// The device's error after its last write, "" when every write went through.
QString deviceError(const QFileDevice &device)
{
    return device.error() == QFileDevice::NoError ? QString() : device.errorString();
}

} // namespace

void HostFiles::Write(const QString &path, const std::function<void(QIODevice &)> &write)
{
    const QFileInfo target(path);
    if (target.exists() && !target.isFile() && !target.isDir()) {
        // A device or a pipe (/dev/stdout, /dev/full) is written in place: a
        // save file would try to replace it with a regular file.
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            fail(path, file.errorString());
        write(file);
        file.flush();
        QString error = deviceError(file);
        file.close();
        if (error.isEmpty())
            error = deviceError(file);
        if (!error.isEmpty())
            fail(path, error);
        return;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        fail(path, file.errorString());
    write(file);
    // commit() reports a failed write or flush, and leaves an existing file as it was.
    if (!file.commit())
        fail(path, file.errorString());
}

void HostFiles::WriteText(const QString &path, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    Write(path, [&](QIODevice &device) { device.write(bytes); });
}

void HostFiles::WriteImage(const QString &path, const QImage &image)
{
    const QByteArray format = QFileInfo(path).suffix().isEmpty() ? QByteArray("png")
                                                                  : QFileInfo(path).suffix().toLower().toLatin1();
    if (!QImageWriter::supportedImageFormats().contains(format))
        fail(path, QStringLiteral("no writer for the picture format \"%1\"").arg(QString::fromLatin1(format)));
    Write(path, [&](QIODevice &device) {
        QImageWriter writer(&device, format);
        if (!writer.write(image))
            fail(path, writer.errorString());
    });
}
