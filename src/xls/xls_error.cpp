// Messages of the engine's exceptions, word for word as users and callers know them.
#include "xls/xls_error.h"

namespace vartesk::xls {

std::string EXLSError::MessageOf(int code, const std::string &arg)
{
    switch (code) {
    case 1:
        return "Buffer size is too small.";
    case 2:
        return "Stream not found: " + arg + ". File format is not Excel 97 or higher.";
    case 3:
        return "Invalid cell value or type.";
    case 4:
        return "Invalid cell property value.";
    case 5:
        return "Invalid row or column number.";
    case 6:
        return "Invalid or duplicated sheet name.";
    case 7:
        return "Sheet name must have a length 1..255.";
    case 8:
        return "Invalid formula.";
    case 9:
        return "Invalid function in formula: " + arg + ".";
    case 10:
        return "String constants in formula must have a length 0..255.";
    case 11:
        return "Invalid range name: " + arg + ".";
    case 12:
        return "There are no sheets in the workbook.";
    case 13:
        return "Formula not recognized.";
    case 14:
        return "Invalid data. Error in link table.";
    case 15:
        return "Invalid data. Error in drawing stream.";
    case 16:
        return "Invalid data. Error in hyperlink.";
    default:
        return "Unknown error " + std::to_string(code) + ".";
    }
}

EXLSError::EXLSError(int code, const std::string &arg, const std::string &message)
    : std::runtime_error(message.empty() ? MessageOf(code, arg) : message)
    , ErrorCode(code)
{ }

std::string ECFileError::MessageOf(int code)
{
    switch (code) {
    case 0:
        return "Can not create a file";
    case 1:
        return "Can not create a stream";
    case 2:
        return "Can not create a storage";
    case 3:
        return "Can not open a file (probably it is already opened or does not exist)";
    case 4:
        return "Can not open a stream";
    case 5:
        return "Can not open a storage";
    case 6:
        return "Can not set stream position";
    case 7:
        return "Can not commit a storage";
    default:
        return "Compound file error " + std::to_string(code);
    }
}

ECFileError::ECFileError(int code, std::string detail, const std::string &message)
    : std::runtime_error(message.empty() ? MessageOf(code) : message)
    , ErrorCode(code)
    , DetailText(std::move(detail))
{ }

EBiffError::EBiffError(const std::string &detail)
    : std::runtime_error(std::string(kWords) + (detail.empty() ? "" : " (" + detail + ")"))
{ }

EListIndexError::EListIndexError(long long index)
    : std::out_of_range("List index (" + std::to_string(index) + ") out of bounds !")
{ }

EReadPastEnd::EReadPastEnd(size_t offset, size_t wanted, size_t left)
    : std::runtime_error("at offset " + std::to_string(offset) + ": expected "
                         + std::to_string(wanted) + " more bytes, found " + std::to_string(left))
    , At(offset)
{ }

} // namespace vartesk::xls
