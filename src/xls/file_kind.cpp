// Recognising the files that are opened as workbooks by mistake.
#include "xls/file_kind.h"

#include <algorithm>

namespace vartesk::xls {

namespace {

constexpr const char *kSaveAs = "save it as Excel 97-2003 (.xls)";

bool StartsWith(std::string_view bytes, std::string_view prefix)
{
    return bytes.substr(0, prefix.size()) == prefix;
}

// Stream names compare without regard to case, as the engine finds "Workbook".
bool HasStream(const std::vector<std::string> &streams, std::string_view name)
{
    return std::any_of(streams.begin(), streams.end(), [name](const std::string &s) {
        return std::equal(s.begin(), s.end(), name.begin(), name.end(), [](char a, char b) {
            return (a >= 'A' && a <= 'Z' ? char(a + 32) : a)
                == (b >= 'A' && b <= 'Z' ? char(b + 32) : b);
        });
    });
}

// A ZIP: the names of its members tell the kind of document (OOXML part names; the
// OpenDocument "mimetype" member comes first and is stored uncompressed).
std::string ZipMessage(std::string_view bytes)
{
    if (bytes.find("xl/workbook.bin") != std::string_view::npos)
        return std::string("The file is an Excel 2007+ binary workbook (.xlsb); ") + kSaveAs;
    if (bytes.find("xl/workbook.xml") != std::string_view::npos)
        return std::string("The file is an Excel 2007+ workbook (.xlsx); ") + kSaveAs;
    if (bytes.substr(0, 200).find("application/vnd.oasis.opendocument.spreadsheet")
        != std::string_view::npos)
        return std::string("The file is an OpenDocument spreadsheet (.ods); ") + kSaveAs;
    return "The file is a ZIP archive, not an Excel 97-2003 workbook";
}

} // namespace

std::optional<std::string> ForeignFileMessage(std::string_view bytes)
{
    if (bytes.empty())
        return "The file is empty, not an Excel 97-2003 workbook";
    // Local file header, empty archive, spanned archive.
    if (StartsWith(bytes, "PK\x03\x04") || StartsWith(bytes, "PK\x05\x06")
        || StartsWith(bytes, "PK\x07\x08"))
        return ZipMessage(bytes);
    // Excel 2.1, 3.0 and 4.0 wrote a bare BIFF stream, starting with their BOF record.
    if (StartsWith(bytes, std::string_view("\x09\x00", 2)) || StartsWith(bytes, "\x09\x02")
        || StartsWith(bytes, "\x09\x04"))
        return std::string("The file is an Excel 2.1-4.0 worksheet; ") + kSaveAs;
    // Web pages and XML spreadsheets that programs name .xls.
    std::string_view text = bytes.substr(0, 4096);
    if (StartsWith(text, "\xEF\xBB\xBF"))
        text.remove_prefix(3);
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first != std::string_view::npos && text[first] == '<')
        return std::string("The file is an HTML or XML document, not an Excel 97-2003 workbook; "
                           "open it in the spreadsheet program and ")
            + kSaveAs;
    return std::nullopt;
}

std::string NotAWorkbookMessage()
{
    return "The file is not an Excel 97-2003 workbook";
}

std::optional<std::string> ForeignCompoundFileMessage(const std::vector<std::string> &streams)
{
    if (HasStream(streams, "Book"))
        return Excel95Message();
    // [MS-OFFCRYPTO]: an encrypted OOXML package inside a compound file.
    if (HasStream(streams, "EncryptedPackage"))
        return std::string("The file is an Excel 2007+ workbook protected by a password; "
                           "remove the password and ")
            + kSaveAs;
    return std::nullopt;
}

std::string Excel95Message()
{
    return std::string("The file is an Excel 5.0/95 workbook; ") + kSaveAs;
}

} // namespace vartesk::xls
