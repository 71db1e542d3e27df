#pragma once

#include <cstddef>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace veldora::cli {

// Where a CSV text breaks its rules: the physical line (from 1) and what is wrong there.
class CsvError : public std::runtime_error {
 public:
  CsvError(long line, const std::string& what) : std::runtime_error(what), mLine(line) {}
  long line() const { return mLine; }

 private:
  long mLine;
};

// Reads what input has: up to size bytes into data, at least one unless at its end (0).
using ReadSome = std::function<size_t(char* data, size_t size)>;

// Reads CSV records by RFC 4180 from an input, a block at a time: fields separated by commas,
// records by CRLF or LF (the last one may end without), a field in double quotes holding commas,
// quotes doubled and line breaks. A UTF-8 byte-order mark before the first record is skipped.
// Memory holds one record, whatever the length of the text.
class CsvReader {
 public:
  // beforeRead is called before each read, which may wait for more input.
  explicit CsvReader(ReadSome read, std::function<void()> beforeRead = {});

  // The next record into fields (reusing their storage); false at the end of the text. Throws
  // CsvError for a quote in an unquoted field, text after a closing quote, a carriage return
  // alone, or a quoted field the text ends in.
  bool next(std::vector<std::string>& fields);
  // The physical line the last record began on.
  long recordLine() const { return mRecordLine; }

 private:
  int get();   // the next byte, or -1 at the end
  int peek();  // the same without taking it

  ReadSome mRead;
  std::function<void()> mBeforeRead;
  std::vector<char> mBuffer;
  size_t mAt = 0, mEnd = 0;
  long mLine = 1;
  long mRecordLine = 0;
  bool mStarted = false;
};

// Appends a field to a CSV line: in double quotes (its quotes doubled) where it holds a comma, a
// quote or a line break, else as it is.
void appendCsvField(std::string& line, std::string_view field);

}  // namespace veldora::cli
