#pragma once
// The demo host's output files (grid and state dumps, screenshots). A write
// that fails is an error naming the file and the reason, never a silent cut
// file: a regular file is written aside and put in place only when complete.

#include <QString>
#include <functional>

class QImage;
class QIODevice;

namespace HostFiles {

// Calls write with the open device, then makes the file final. Throws
// std::runtime_error when the file cannot be opened, written or completed.
void Write(const QString &path, const std::function<void(QIODevice &)> &write);

// Writes UTF-8 text.
void WriteText(const QString &path, const QString &text);

// Writes a picture in the format named by the file's suffix (PNG without one).
void WriteImage(const QString &path, const QImage &image);

} // namespace HostFiles
