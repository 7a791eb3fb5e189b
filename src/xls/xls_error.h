// The engine's exceptions: workbook errors, compound-file errors, undecodable records.
#pragma once

#include <stdexcept>
#include <string>

namespace vartesk::xls {

// A workbook-level error with its code (1..16) and its fixed English message.
class EXLSError : public std::runtime_error
{
public:
    // arg fills the %s of messages 2, 9 and 11. A message given replaces the fixed one
    // where the engine can say more (error 2 for a workbook of an older Excel).
    explicit EXLSError(int code, const std::string &arg = {}, const std::string &message = {});
    int Code() const { return ErrorCode; }
    static std::string MessageOf(int code, const std::string &arg = {});

private:
    int ErrorCode;
};

// A compound-file error (codes 0..7); what() is the fixed message, Detail() says what broke.
// A message given replaces the fixed one: error 3 for bytes that are recognisably not a
// compound file says what they are instead of guessing that the file is locked or missing.
class ECFileError : public std::runtime_error
{
public:
    explicit ECFileError(int code, std::string detail = {}, const std::string &message = {});
    int Code() const { return ErrorCode; }
    const std::string &Detail() const { return DetailText; }
    static std::string MessageOf(int code);

private:
    int ErrorCode;
    std::string DetailText;
};

// A record that cannot be decoded. what() begins with the fixed words,
// "Error: BIFF record can not be processed", followed by the stream, record and offset.
class EBiffError : public std::runtime_error
{
public:
    explicit EBiffError(const std::string &detail);
    static constexpr const char *kWords = "Error: BIFF record can not be processed";
};

// Sheets Item outside 0..Count-1: "List index (5) out of bounds !".
class EListIndexError : public std::out_of_range
{
public:
    explicit EListIndexError(long long index);
};

// A byte reader asked for more than its buffer holds; callers turn it into one of the above.
class EReadPastEnd : public std::runtime_error
{
public:
    EReadPastEnd(size_t offset, size_t wanted, size_t left);
    size_t Offset() const { return At; }

private:
    size_t At;
};

} // namespace vartesk::xls
