#include "cli/csv.h"

namespace veldora::cli {

CsvReader::CsvReader(ReadSome read, std::function<void()> beforeRead)
    : mRead(std::move(read)), mBeforeRead(std::move(beforeRead)), mBuffer(1 << 16) {}

int CsvReader::peek() {
  if (mAt == mEnd) {
    if (mBeforeRead) mBeforeRead();
    mEnd = mRead(mBuffer.data(), mBuffer.size());
    mAt = 0;
    if (mEnd == 0) return -1;
  }
  return static_cast<unsigned char>(mBuffer[mAt]);
}

int CsvReader::get() {
  const int c = peek();
  if (c >= 0) ++mAt;
  if (c == '\n') ++mLine;
  return c;
}

bool CsvReader::next(std::vector<std::string>& fields) {
  if (!mStarted) {
    mStarted = true;
    static constexpr unsigned char kByteOrderMark[] = {0xEF, 0xBB, 0xBF};
    size_t matched = 0;
    while (matched < 3 && peek() == kByteOrderMark[matched]) {
      get();
      ++matched;
    }
    if (matched != 0 && matched != 3) throw CsvError(1, "a broken byte-order mark");
  }
  if (peek() < 0) return false;
  mRecordLine = mLine;
  size_t count = 0;
  const auto field = [&fields, &count]() -> std::string& {
    if (count == fields.size()) fields.emplace_back();
    std::string& f = fields[count++];
    f.clear();
    return f;
  };
  // An end of line: LF, or CR LF.
  const auto lineEnd = [this](int c) {
    if (c == '\n') return true;
    if (c != '\r') return false;
    if (get() != '\n') throw CsvError(mLine, "a carriage return without a line feed");
    return true;
  };
  for (;;) {
    std::string& f = field();
    int c = get();
    if (c == '"') {
      const long opened = mLine;
      for (;;) {
        c = get();
        if (c < 0) throw CsvError(opened, "a quoted field that is never closed");
        if (c == '"') {
          if (peek() != '"') break;
          get();
        }
        f.push_back(static_cast<char>(c));
      }
      c = get();
      if (c >= 0 && c != ',' && !lineEnd(c)) {
        throw CsvError(mLine, "text after the closing quote of a field");
      }
    } else {
      while (c >= 0 && c != ',' && !lineEnd(c)) {
        if (c == '"') throw CsvError(mLine, "a quote inside a field that is not quoted");
        f.push_back(static_cast<char>(c));
        c = get();
      }
    }
    if (c != ',') break;
  }
  fields.resize(count);
  return true;
}

void appendCsvField(std::string& line, std::string_view field) {
  if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
    line += field;
    return;
  }
  line += '"';
  for (const char c : field) {
    if (c == '"') line += '"';
    line += c;
  }
  line += '"';
}

}  // namespace veldora::cli
