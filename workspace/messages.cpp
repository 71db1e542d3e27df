#include "workspace/messages.h"

#include "engine/numbers.h"
#include "engine/texts.h"
#include "workspace/sievetexts.h"

namespace veldora::messages {
namespace {

const char* cause(WriteProblem problem) {
  switch (problem) {
    case WriteProblem::FolderMissing:
      return kFolderMissing;
    case WriteProblem::NoPermission:
      return kMayNotWrite;
    case WriteProblem::FolderNotWritable:
      return kFolderMustBeWritable;
    case WriteProblem::DiskFull:
      return kDiskFull;
    case WriteProblem::NameTooLong:
      return kNameTooLong;
    case WriteProblem::NotRegular:
      return kNotAFile;
    case WriteProblem::InUse:
      return kInUseByAnotherProgram;
    case WriteProblem::Other:
      break;
  }
  return kCheckNameAndAddress;
}

}  // namespace

std::string saveFailed(WriteProblem problem) {
  return std::string(kSaveFailedStart) + cause(problem);
}

std::string fileChangedQuestion(const std::string& filename) {
  return "فايل " + filename +
         " پس از آنكه در اين برنامه باز يا ذخيره شد، در برنامه ديگري تغيير كرده است. آيا "
         "مي خواهيد طرح اختلاط فعلي را به جاي آن ذخيره نماييد؟";
}

std::string reportNotWritten(WriteProblem problem) {
  return std::string(kReportNotWrittenStart) + cause(problem);
}

std::string sieveFileNotWritten(WriteProblem problem) {
  return std::string(kSieveFileNotWrittenStart) + cause(problem);
}

std::string sieveFileRefused(const SieveFileError& e) {
  std::string text = "فايل دانه بندي باز نشد و جدول تغيير نكرد. ";
  if (e.line > 0) text.append("سطر ").append(std::to_string(e.line)).append(": ");
  const std::string cell = "«" + e.text + "»";
  switch (e.cause) {
    case SieveFileCause::Unreadable:
      if (e.status == FileContents::Status::NotRegular) return text.append(kNotAFile);
      if (e.status == FileContents::Status::TooLargeOrBroken) {
        return text.append("فايل بيش از 64 كيلوبايت است يا هنگام خواندن تغيير كرد");
      }
      return text.append(openFailed(e.status).text);
    case SieveFileCause::Header:
      return text.append("سطر اول بايد sieve_mm,retained_g باشد، نه ").append(cell);
    case SieveFileCause::Cells:
      return text.append("هر سطر دو خانه دارد، الك و وزن مانده، نه ").append(cell);
    case SieveFileCause::NotStandardSieve:
      return text.append(cell).append(
          " الك استاندارد (75 تا 0.15 ميليمتر) يا pan يا original نيست");
    case SieveFileCause::GivenTwice:
      return text.append(cell).append(" دو بار آمده است");
    case SieveFileCause::NotANumber:
      return text.append("وزن مانده بايد عددي به گرم باشد، نه ").append(cell);
    case SieveFileCause::NegativeMass:
      return text.append("وزن مانده نمي تواند منفي باشد: ").append(cell);
    case SieveFileCause::NoSieve:
      return text.append(sievetexts::kNoSieve);
    case SieveFileCause::ZeroTotal:
      return text.append(sievetexts::kZeroTotal);
    case SieveFileCause::TotalTooLarge:
      return text.append("جمع وزن مانده ها بزرگتر از حد يك عدد است");
    case SieveFileCause::GainOverOriginal:
      return text.append("جمع وزن مانده ها از وزن خشك نمونه بيشتر است: ").append(cell);
  }
  return text;
}

std::string resultsNotWritten(WriteProblem problem) {
  return std::string(kResultsNotWrittenStart) + cause(problem);
}

std::string mixWarningText(const MixWarningAt& w) {
  const std::string value = decimalText(w.value, 2);
  switch (w.warning) {
    case MixWarning::MixingWaterNotPositive:
      return "آب اختلاط " + value + " كيلوگرم است: صفر يا منفي";
    case MixWarning::WaterToAddNotPositive:
      return "آب مصرفي " + value + " كيلوگرم است: صفر يا منفي";
    case MixWarning::CementNotPositive:
      return "سيمان " + value + " كيلوگرم است: صفر يا منفي";
    case MixWarning::CoarseNotPositive:
      return "شن " + value + " كيلوگرم است: صفر يا منفي";
    case MixWarning::FineNotPositive:
      return "ماسه " + value + " كيلوگرم است: صفر يا منفي";
    case MixWarning::AirBelowZero:
      return "درصد هوا " + value + "% است؛ هواي بتن نمي تواند كمتر از 0% باشد";
    case MixWarning::AirAboveTwenty:
      return "درصد هوا " + value + "% است؛ بتني با بيش از 20% هوا ساخته نمي شود";
    case MixWarning::RatioBelowTwoTenths:
      return "نسبت آب به سيمان " + value + " است؛ كمتر از 0.20 براي بتن ممكن نيست";
    case MixWarning::RatioAboveOnePointTwo:
      return "نسبت آب به سيمان " + value + " است؛ بيش از 1.20 براي بتن پذيرفتني نيست";
    case MixWarning::CementBelowHundred:
      return "سيمان " + value + " كيلوگرم در متر مكعب است؛ كمتر از 100 كيلوگرم بتن نمي سازد";
    case MixWarning::CementAboveEightHundred:
      return "سيمان " + value + " كيلوگرم در متر مكعب است؛ بيش از 800 كيلوگرم پذيرفتني نيست";
    case MixWarning::UnitMassBelow1800:
      return "وزن يك متر مكعب بتن " + value + " كيلوگرم است؛ بتن معمولي از 1800 كيلوگرم سبكتر نيست";
    case MixWarning::UnitMassAbove2800:
      return "وزن يك متر مكعب بتن " + value +
             " كيلوگرم است؛ بتن معمولي از 2800 كيلوگرم سنگينتر نيست";
  }
  return value;
}

std::vector<std::string> warningTexts(bool noMass, const std::vector<MixWarningAt>& implausible) {
  std::vector<std::string> texts;
  if (noMass) texts.emplace_back(kNoMassWarning);
  for (const MixWarningAt& w : implausible) texts.push_back(kWarningStart + mixWarningText(w));
  return texts;
}

std::string warningLine(const std::vector<std::string>& warnings) {
  std::string line;
  for (const std::string& text : warnings) {
    if (!line.empty()) line += " / ";
    line += text;
  }
  return line;
}

OpenFailure openFailed(FileContents::Status status) {
  using Status = FileContents::Status;
  switch (status) {
    case Status::Missing:
      return {kMissingFileTitle, kMissingFile};
    case Status::NotRegular:
      return {texts::kErrorTitle, kNotARegularFile};
    case Status::NoPermission:
      return {texts::kErrorTitle, kMayNotRead};
    case Status::LoopOrTooLong:
      return {texts::kErrorTitle, kLoopOrTooLong};
    case Status::InUse:
      return {texts::kErrorTitle, kOpenInAnotherProgram};
    case Status::Read:
    case Status::TooLargeOrBroken:
      break;
  }
  return {texts::kErrorTitle, kInvalidFile};
}

const char* testCellRefusal(TestCellProblem problem) {
  switch (problem) {
    case TestCellProblem::DateNotADate:
      return kTestDateRefused;
    case TestCellProblem::StrengthNotANumber:
    case TestCellProblem::StrengthNotPositive:
    case TestCellProblem::StrengthTooHigh:
      return kCylinderStrengthRefused;
    case TestCellProblem::OneCylinderOnly:
      return kOneCylinderOnly;
    case TestCellProblem::NoCylinder:
      return kNoCylinder;
    case TestCellProblem::CylinderSkipped:
      return kCylinderSkipped;
  }
  return kCylinderStrengthRefused;
}

const char* recordShortfallText(RecordShortfall shortfall) {
  switch (shortfall) {
    case RecordShortfall::None:
      break;
    case RecordShortfall::FewerThan15:
      return kFewerThan15;
    case RecordShortfall::TwoGroupsUnder30:
      return kTwoGroupsUnder30;
    case RecordShortfall::GroupOfOne:
      return kGroupOfOne;
    case RecordShortfall::MoreThanTwoGroups:
      return kMoreThanTwoGroups;
  }
  return "";
}

std::string testsFileRefused(const StrengthTestsFileProblem& problem) {
  using Cause = StrengthTestsFileProblem::Cause;
  std::string text;
  if (problem.line > 0) text.append(kLinePrefix).append(std::to_string(problem.line)).append(": ");
  switch (problem.cause) {
    case Cause::Unreadable:
      text += problem.status == FileContents::Status::Missing ? kMissingFile : kTestsFileUnreadable;
      break;
    case Cause::NotUtf8:
      text += kNotUtf8;
      break;
    case Cause::NotCsv:
      text.append(kNotCsv).append(" (").append(problem.detail).append(")");
      break;
    case Cause::NoHeader:
    case Cause::WrongHeader:
      text += kWrongHeader;
      break;
    case Cause::FieldCount:
      text += kFieldCount;
      break;
    case Cause::Cell:
      text.append(testCellRefusal(problem.cell->problem)).append(" («").append(problem.text);
      text += "»)";
      break;
  }
  return text + kTestsTableUnchanged;
}

}  // namespace veldora::messages
