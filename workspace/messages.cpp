#include "workspace/messages.h"

#include "engine/texts.h"

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

std::string reportNotWritten(WriteProblem problem) {
  return std::string(kReportNotWrittenStart) + cause(problem);
}

std::string resultsNotWritten(WriteProblem problem) {
  return std::string(kResultsNotWrittenStart) + cause(problem);
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

}  // namespace veldora::messages
