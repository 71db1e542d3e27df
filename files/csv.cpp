#include "files/csv.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace veldora {

CsvReader::CsvReader(ReadSome read, std::function<void()> beforeRead)
    : mRead(std::move(read)), mBeforeRead(std::move(beforeRead)), mBuffer(1 << 16) {}

bool CsvReader::fill() {
  if (mAtEnd) return false;
  if (mAt > 0) {
    std::memmove(mBuffer.data(), mBuffer.data() + mAt, mEnd - mAt);
    mEnd -= mAt;
    mAt = 0;
  }
  // A record longer than the buffer makes it grow, up to a bound no row of a batch comes near.
  if (mEnd == mBuffer.size()) {
    if (mBuffer.size() >= kLongestRecord) {
      throw CsvError(mLine, "a line longer than " + std::to_string(kLongestRecord >> 20) + " MiB");
    }
    mBuffer.resize(mBuffer.size() * 2);
  }
  if (mBeforeRead) mBeforeRead();
  const size_t got = mRead(mBuffer.data() + mEnd, mBuffer.size() - mEnd);
  mEnd += got;
  mAtEnd = got == 0;
  return got > 0;
}

long CsvReader::lineAt(size_t offset) const {
  return mRecordLine + std::count(mBuffer.data() + mAt, mBuffer.data() + mAt + offset, '\n');
}

size_t CsvReader::recordEnd(long& lineFeeds) {
  lineFeeds = 0;
  bool quoted = false;
  size_t quoteOpened = 0;
  for (size_t i = 0;;) {
    // Most records hold no quote: their end is the next line feed.
    if (!quoted) {
      const char* data = mBuffer.data() + mAt;
      const auto* lineFeed = static_cast<const char*>(std::memchr(data + i, '\n', mEnd - mAt - i));
      const char* stop = lineFeed ? lineFeed : mBuffer.data() + mEnd;
      if (!std::memchr(data + i, '"', static_cast<size_t>(stop - (data + i)))) {
        if (lineFeed) return static_cast<size_t>(lineFeed - data);
        i = mEnd - mAt;
      }
    }
    for (; mAt + i < mEnd; ++i) {
      const char* data = mBuffer.data() + mAt;
      const char c = data[i];
      if (quoted) {
        if (c == '\n') ++lineFeeds;
        if (c != '"') continue;
        // A doubled quote may go on in the next block.
        if (mAt + i + 1 == mEnd && !mAtEnd && fill()) data = mBuffer.data() + mAt;
        if (mAt + i + 1 < mEnd && data[i + 1] == '"') {
          ++i;
        } else {
          quoted = false;
        }
      } else if (c == '"' && (i == 0 || data[i - 1] == ',')) {  // a quote opens a field only
        quoted = true;
        quoteOpened = i;
      } else if (c == '\n') {
        return i;
      }
    }
    if (!fill()) {
      if (quoted) throw CsvError(lineAt(quoteOpened), "a quoted field that is never closed");
      return mEnd - mAt;
    }
  }
}

bool CsvReader::next(std::vector<std::string_view>& fields) {
  if (!mStarted) {
    mStarted = true;
    while (mEnd - mAt < 3 && fill()) {
    }
    static constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
    const size_t available = std::min<size_t>(mEnd - mAt, 3);
    const size_t matched =
        std::mismatch(mBuffer.data() + mAt, mBuffer.data() + mAt + available, kByteOrderMark)
            .first -
        (mBuffer.data() + mAt);
    if (matched == 3) mAt += 3;
    if (matched != 0 && matched != 3) throw CsvError(1, "a broken byte-order mark");
  }
  if (mAt == mEnd && !fill()) return false;
  mRecordLine = mLine;
  long lineFeeds = 0;
  const size_t length = recordEnd(lineFeeds);
  const char* record = mBuffer.data() + mAt;
  // A record ends at its line feed, with the carriage return before it.
  const bool lineFeed = length < mEnd - mAt;
  size_t contentLength = length;
  if (lineFeed && contentLength > 0 && record[contentLength - 1] == '\r') --contentLength;

  fields.clear();
  mPlainFields = true;
  mUnquoted.clear();
  mUnquoted.reserve(length);  // never more, so that the views into it stay
  for (size_t i = 0;;) {
    if (i < contentLength && record[i] == '"') {
      const size_t start = mUnquoted.size();
      for (++i;; ++i) {
        if (record[i] == '"') {
          if (i + 1 < length && record[i + 1] == '"') {
            mUnquoted.push_back('"');
            ++i;
            continue;
          }
          break;
        }
        const char c = record[i];
        if (c == '\r' || c == '\n' || c == '/' || static_cast<unsigned char>(c) >= 0x80) {
          mPlainFields = false;
        }
        mUnquoted.push_back(c);
      }
      ++i;
      fields.emplace_back(mUnquoted.data() + start, mUnquoted.size() - start);
      if (i < contentLength && record[i] != ',') {
        throw CsvError(lineAt(i), "text after the closing quote of a field");
      }
    } else {
      const size_t start = i;
      // What ends or spoils an unquoted field, by byte: a comma, a quote, a carriage return; and
      // what a box would not keep as it is (a byte of a character beyond ASCII, a "/" that may be
      // a decimal mark).
      static constexpr auto kSpecial = [] {
        std::array<bool, 256> special{};
        for (const unsigned char c : {',', '"', '\r', '/'}) special[c] = true;
        for (size_t c = 0x80; c < 256; ++c) special[c] = true;
        return special;
      }();
      for (;;) {
        while (i < contentLength && !kSpecial[static_cast<unsigned char>(record[i])]) ++i;
        if (i == contentLength || record[i] == ',') break;
        if (record[i] == '"')
          throw CsvError(lineAt(i), "a quote inside a field that is not quoted");
        if (record[i] == '\r') throw CsvError(lineAt(i), "a carriage return without a line feed");
        mPlainFields = false;
        ++i;
      }
      fields.emplace_back(record + start, i - start);
    }
    if (i >= contentLength) break;
    ++i;  // the comma
  }
  mLine = mRecordLine + lineFeeds + (lineFeed ? 1 : 0);
  mAt += length + (lineFeed ? 1 : 0);
  return true;
}

void appendCsvField(std::string& line, std::string_view field) {
  bool plain = true;
  for (const char c : field) plain = plain && c != ',' && c != '"' && c != '\r' && c != '\n';
  if (plain) {
    line.append(field.data(), field.size());
    return;
  }
  line += '"';
  for (const char c : field) {
    if (c == '"') line += '"';
    line += c;
  }
  line += '"';
}

}  // namespace veldora
