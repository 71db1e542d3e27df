#pragma once

#include <cstddef>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace veldora {

// Where a CSV text breaks its rules: the physical line (from 1) and what is wrong there.
class CsvError : public std::runtime_error {
 public:
  CsvError(long line, const std::string& what) : std::runtime_error(what), mLine(line) {}
  long line() const { return mLine; }

 private:
  long mLine;
};

// The longest record the reader takes.
inline constexpr size_t kLongestRecord = size_t{16} << 20;

// Reads what input has: up to size bytes into data, at least one unless at its end (0).
using ReadSome = std::function<size_t(char* data, size_t size)>;

// Reads CSV records by RFC 4180 from an input, a block at a time: fields separated by commas,
// records by CRLF or LF (the last one may end without), a field in double quotes holding commas,
// quotes doubled and line breaks. A UTF-8 byte-order mark before the first record is skipped.
// Memory holds a block and the record being read, whatever the length of the text.
class CsvReader {
 public:
  // beforeRead is called before each read, which may wait for more input.
  explicit CsvReader(ReadSome read, std::function<void()> beforeRead = {});

  // The next record's fields, valid until the next call; false at the end of the text. Throws
  // CsvError for a quote in an unquoted field, text after a closing quote, a carriage return
  // alone, or a quoted field the text ends in.
  bool next(std::vector<std::string_view>& fields);
  // The physical line the last record began on.
  long recordLine() const { return mRecordLine; }
  // Whether the last record's fields are ASCII without line breaks: a box keeps each as it is.
  bool plainFields() const { return mPlainFields; }

 private:
  // Keeps the unread bytes, moved to the front, and reads more after them; false at the end.
  bool fill();
  // The end of the record that starts at mAt (its line feed, or the end of the text), reading
  // more as it needs; the line feeds inside its quoted fields.
  size_t recordEnd(long& lineFeeds);
  // The line of the record at an offset into it.
  long lineAt(size_t offset) const;

  ReadSome mRead;
  std::function<void()> mBeforeRead;
  std::vector<char> mBuffer;
  size_t mAt = 0, mEnd = 0;
  bool mAtEnd = false;
  std::string mUnquoted;  // the quoted fields of the record, without their quotes
  long mLine = 1;
  long mRecordLine = 0;
  bool mStarted = false;
  bool mPlainFields = true;
};

// Appends a field to a CSV line: in double quotes (its quotes doubled) where it holds a comma, a
// quote or a line break, else as it is.
void appendCsvField(std::string& line, std::string_view field);

}  // namespace veldora
