// A widget's picture.
#include "ui/screenshot.h"

#include "base/file_io.h"

#include <QBuffer>
#include <QByteArray>
#include <QPixmap>
#include <QWidget>

#include <stdexcept>
#include <string>

namespace vartesk::ui {

void SaveScreenshot(QWidget &widget, const std::filesystem::path &path)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!widget.grab().save(&buffer, "PNG"))
        throw std::runtime_error("Cannot make the picture of the window");
    WriteFileAtomic(path, std::string(bytes.constData(), size_t(bytes.size())));
}

} // namespace vartesk::ui
