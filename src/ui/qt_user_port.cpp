// Qt's message boxes, file dialogs and desktop services behind the user port.
#include "ui/qt_user_port.h"

#include "ui/caption_text.h"
#include "ui/file_filter.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

#include <cstdio>
#include <system_error>

namespace vartesk::ui {

namespace {

QMessageBox::Icon BoxIcon(TMessageKind kind)
{
    switch (kind) {
    case TMessageKind::Error:
        return QMessageBox::Critical;
    case TMessageKind::Warning:
        return QMessageBox::Warning;
    case TMessageKind::Information:
        return QMessageBox::Information;
    case TMessageKind::Plain:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

QString ToQString(const std::filesystem::path &path)
{
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
}

std::filesystem::path ToPath(const QString &fileName)
{
    return std::filesystem::path(QFile::encodeName(fileName).toStdString());
}

TQtUserPort::TQtUserPort(QWidget *parent)
    : Parent(parent)
    , WaitWindow(parent)
{ }

void TBoxMessages::Tell(TMessageKind kind, const std::string &text)
{
    QMessageBox box(BoxIcon(kind), kApplicationTitle, CaptionText(text), QMessageBox::Ok, Parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool TBoxMessages::Ask(const std::string &text)
{
    QMessageBox box(QMessageBox::Warning,
                    kApplicationTitle,
                    CaptionText(text),
                    QMessageBox::Yes | QMessageBox::No,
                    Parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void TQtUserPort::Tell(TMessageKind kind, const std::string &text)
{
    if (kind == TMessageKind::Error)
        ++ErrorCount;
    if (!Unattended) {
        TBoxMessages(Parent).Tell(kind, text);
        return;
    }
    static const char *const kKinds[] = {"error", "warning", "information", "message"};
    std::fprintf(stderr,
                 "vartesk-gui: %s: %s\n",
                 kKinds[int(kind)],
                 CaptionText(text).toLocal8Bit().constData());
}

bool TQtUserPort::Ask(const std::string &text)
{
    if (!Unattended)
        return TBoxMessages(Parent).Ask(text);
    std::fprintf(stderr,
                 "vartesk-gui: question answered No: %s\n",
                 CaptionText(text).toLocal8Bit().constData());
    return false;
}

std::optional<std::filesystem::path> TQtUserPort::ChooseSave(const TSaveRequest &request)
{
    return Choose(request, true);
}

std::optional<std::filesystem::path> TQtUserPort::ChooseOpen(const TSaveRequest &request)
{
    return Choose(request, false);
}

std::optional<std::filesystem::path> TQtUserPort::Choose(const TSaveRequest &request, bool save)
{
    if (Unattended)
        return std::nullopt;
    QFileDialog dialog(Parent);
    if (!request.Title.empty())
        dialog.setWindowTitle(QString::fromStdString(request.Title));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (const auto filter = QtNameFilter(request.Filter); !filter.empty())
        dialog.setNameFilter(QString::fromStdString(filter));
    dialog.setDefaultSuffix(QString::fromStdString(request.DefaultExtension));
    const auto &folder = request.InitialFolder.empty() ? Last : request.InitialFolder;
    if (!folder.empty())
        dialog.setDirectory(ToQString(folder));
    if (!request.InitialName.empty() && !IsNamePattern(request.InitialName))
        dialog.selectFile(QString::fromStdString(request.InitialName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;

    auto chosen = ToPath(dialog.selectedFiles().constFirst());
    // Qt's own dialog adds the extension itself; the desktop's native one may not.
    const auto extended = WithDefaultExtension(chosen, request.DefaultExtension);
    std::error_code ec;
    if (save || (!std::filesystem::exists(chosen, ec) && std::filesystem::exists(extended, ec)))
        chosen = extended;
    Last = chosen.parent_path();
    return chosen;
}

std::optional<std::filesystem::path> TQtUserPort::ChooseFolder(const TSaveRequest &request)
{
    if (Unattended)
        return std::nullopt;
    QFileDialog dialog(Parent);
    if (!request.Title.empty())
        dialog.setWindowTitle(QString::fromStdString(request.Title));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    const auto &folder = request.InitialFolder.empty() ? Last : request.InitialFolder;
    if (!folder.empty())
        dialog.setDirectory(ToQString(folder));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    Last = ToPath(dialog.selectedFiles().constFirst());
    return Last;
}

void TQtUserPort::Open(const std::filesystem::path &path)
{
    std::error_code ec;
    auto absolute = std::filesystem::absolute(path, ec);
    QDesktopServices::openUrl(QUrl::fromLocalFile(ToQString(ec ? path : absolute)));
}

} // namespace vartesk::ui
