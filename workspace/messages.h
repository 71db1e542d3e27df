#pragma once

// The workspace's own messages and captions; the calculation core's are in texts.h of the engine.
#include "engine/batching.h"
#include "engine/mix.h"
#include "engine/strengthrecord.h"
#include "files/diskfile.h"
#include "files/sievefile.h"
#include "files/strengthtestsfile.h"

#include <string>
#include <vector>

namespace veldora::messages {

inline constexpr char kAdjustmentNeedsRun[] =
    "محاسبه اصلاح فقط پس از اجراي كامل طرح اختلاط امكانپذير است. لطفاً ابتدا برنامه را اجرا نماييد";
inline constexpr char kTrialValueOutOfRange[] =
    "مقدار وارد شده براي نمونه آزمايشي خارج از محدوده مجاز است. لطفاً آن را اصلاح نماييد";

// The conditions window's texts at creation where they differ from the option captions.
inline constexpr char kNormalConditionsAtCreation[] = "شرايط عادي";
inline constexpr char kNonAirEntrainedAtCreation[] = "بتن بدون هوا";

inline constexpr char kUntitledTitle[] = "VELDORA  UNTITLED";

// The captions of the main window's twelve boxes, Text1..Text12 (the labels Label1 indexes 0 to 9,
// then Label3 and Label4), and the unit captions beside them where there is one.
inline constexpr const char* kInputCaptions[kBoxCount] = {
    "اسلامپ مورد نياز=",
    "اندازه بزرگترين سنگدانه=",
    "مقاومت فشاري 28روزه بتن=",
    "مدول نرمي ماسه=",
    "وزن مخصوص ظاهري خشك و ميله خورده شن",
    "چگالي نسبي سيمان",
    "چگالي نسبي شن",
    "چگالي نسبي ماسه",
    "درصد رطوبت شن",
    "درصد رطوبت ماسه",
    "درصد رطوبت حالت اشباع شن",
    "درصد رطوبت حالت اشباع ماسه",
};
// Each box's unit, in one table: as the main window's caption beside the box writes it, and as the
// report writes it (with superscripts; the strength with its own units; the moistures' percent,
// which the window's captions say in words).
struct InputUnit {
  const char* window;
  const char* report;
};
// clang-format off
inline constexpr InputUnit kInputUnits[kBoxCount] = {
    {"mm", "mm"}, {"mm", "mm"}, {"kg/cm^2", ""}, {"", ""}, {"kg/m^3", "kg/m³"}, {"", ""},
    {"", ""},     {"", ""},     {"", "%"},       {"", "%"}, {"", "%"},           {"", "%"}};
// clang-format on

// The exit question.
inline constexpr char kWarningTitle[] = "پيغام اخطار!!";
inline constexpr char kExitQuestion[] = "آيا مطمئنيد که ميخواهيد از برنامه خارج شويد؟";
// A paste of more characters than a box is ever typed with (a clipboard left over from another
// program), refused whole.
inline constexpr char kPasteTooLong[] =
    "متن چسبانده شده بيش از 1000 نويسه است و پذيرفته نشد؛ هيچ بخشي از آن در خانه وارد نشد";

// The file commands.
inline constexpr char kTitlePrefix[] = "VELDORA  ";
inline constexpr char kNewQuestion[] = "آيا مطمئنيد که ميخواهيد طرح اختلاط جديدي را شروع نماييد؟";
inline constexpr char kMissingFileTitle[] = "errore BOX";
inline constexpr char kMissingFile[] =
    "اين فايل با نام و آدرس وارد شده موجود نميباشد . لطفا نام و آدرس فايل را اصلاح نماييد";
inline constexpr char kInvalidFile[] = "اين فايل طرح اختلاط ناقص يا نامعتبر است و باز نشد";
inline constexpr char kNotARegularFile[] =
    "نام و آدرس وارد شده مربوط به يك پوشه يا دستگاه است و نه يك فايل طرح اختلاط. لطفاً فايل طرح "
    "اختلاط را انتخاب نماييد";
inline constexpr char kMayNotRead[] =
    "اجازه خواندن اين فايل را نداريد و فايل باز نشد. لطفاً دسترسي به فايل را بررسي نماييد";
inline constexpr char kOpenInAnotherProgram[] =
    "اين فايل در برنامه ديگري باز است و آن برنامه اجازه خواندن آن را نمي دهد. لطفاً فايل را در آن "
    "برنامه ببنديد و دوباره باز نماييد";
inline constexpr char kLoopOrTooLong[] =
    "نام و آدرس اين فايل بيش از حد طولاني است يا پيوندهاي آن به خودشان برمي گردند و فايل باز نشد. "
    "لطفاً نام و آدرس فايل را اصلاح نماييد";

// A file that was not written: what was not written, then why (the file it would replace is
// left as it was).
inline constexpr char kSaveFailedStart[] = "فايل طرح اختلاط ذخيره نشد. ";
inline constexpr char kReportNotWrittenStart[] = "گزارش طرح اختلاط نوشته نشد. ";
inline constexpr char kResultsNotWrittenStart[] = "فايل نتايج طرحهاي اختلاط نوشته نشد. ";
inline constexpr char kCheckNameAndAddress[] = "لطفاً نام و آدرس فايل را بررسي نماييد";
inline constexpr char kFolderMissing[] =
    "پوشه اي كه در نام و آدرس فايل آمده است وجود ندارد. لطفاً پوشه را بررسي نماييد";
inline constexpr char kMayNotWrite[] =
    "اجازه نوشتن در اين پوشه يا روي اين فايل را نداريد. لطفاً جاي ديگري را انتخاب نماييد";
inline constexpr char kFolderMustBeWritable[] =
    "براي ذخيره مطمئن، پوشه فايل نيز بايد قابل نوشتن باشد و اجازه نوشتن در آن را نداريد. فايل "
    "قبلي دست نخورده مانده است. لطفاً اجازه نوشتن در پوشه را بگيريد يا جاي ديگري را انتخاب نماييد";
inline constexpr char kDiskFull[] =
    "ديسك پر است يا حجم فايل از حد مجاز بيشتر شده است. فايل قبلي دست نخورده مانده است. لطفاً جا "
    "باز كنيد و دوباره ذخيره نماييد";
inline constexpr char kNameTooLong[] =
    "نام فايل بيش از حد طولاني است. لطفاً نام كوتاهتري انتخاب نماييد";
inline constexpr char kNotAFile[] =
    "نام و آدرس وارد شده مربوط به يك پوشه يا دستگاه است و نه يك فايل. لطفاً نام ديگري انتخاب "
    "نماييد";
inline constexpr char kInUseByAnotherProgram[] =
    "اين فايل در برنامه ديگري باز است و تا باز است نمي توان آن را جايگزين كرد. فايل قبلي دست "
    "نخورده "
    "مانده است. لطفاً فايل را در آن برنامه ببنديد و دوباره ذخيره نماييد";
inline constexpr char kUnsavableText[] =
    "متن وارد شده در يكي از خانه ها قابل ذخيره در فايل نيست. لطفاً آن را اصلاح نماييد";
// Save onto a mix file that another program has written since this one opened or saved it.
std::string fileChangedQuestion(const std::string& filename);
// The message of a mix file (saveFailed) or a report (reportNotWritten) that was not written, by
// its cause; with no cause of its own, the name and address are to be checked.
std::string saveFailed(WriteProblem problem);
std::string reportNotWritten(WriteProblem problem);
// The same for the file of a batch's results.
std::string resultsNotWritten(WriteProblem problem);
// The title and text of a mix file that could not be opened, by what reading it found.
struct OpenFailure {
  const char* title;
  const char* text;
};
OpenFailure openFailed(FileContents::Status status);
inline constexpr char kReportOverMixFile[] =
    "گزارش روي فايل طرح اختلاط نوشته نمي شود. لطفاً نام ديگري براي فايل گزارش انتخاب نماييد";
inline constexpr char kProjectNameTooLong[] =
    "نام پروژه حداكثر 200 حرف مي تواند باشد. لطفاً آن را كوتاه نماييد";
inline constexpr char kPourVolumeInvalid[] =
    "حجم بتن ريزي بايد عددي از 0.001 تا 100000 متر مكعب باشد. لطفاً مقدار آن را اصلاح نماييد";
inline constexpr char kBagMassInvalid[] =
    "وزن هر كيسه سيمان بايد عددي از 1 تا 2000 كيلوگرم باشد. لطفاً مقدار آن را اصلاح نماييد";
inline constexpr char kBatchVolumeInvalid[] =
    "حجم هر پيمانه مخلوط كن بايد عددي از 0.001 تا 20 متر مكعب باشد. لطفاً مقدار آن را اصلاح "
    "نماييد";

// What the warnings of an adjusted mix begin with, where the design's stand beside them.
inline constexpr char kAdjustedMixWarning[] = "طرح اختلاط اصلاح شده: ";
// What each warning of a mix begins with.
inline constexpr char kWarningStart[] = "هشدار: ";
// The line under the results when a mass is zero or less (and a batch row's message).
inline constexpr char kNoMassWarning[] =
    "هشدار: مقدار آب افزودني يا يكي از مصالح صفر يا منفي است؛ با اين مقادير نمي توان بتن را پيمانه "
    "كرد";

// What a mix says no concrete can have (a mass of zero or less; an air content, water-cement ratio,
// cement or mass per cubic metre outside what a concrete can be), with the value that gave it.
std::string mixWarningText(const MixWarningAt& warning);
// The warnings of a list of results: of a mass of zero or less in the lines, and of the
// implausible values of their mix; one text each.
std::vector<std::string> warningTexts(bool noMass, const std::vector<MixWarningAt>& implausible);
// The same on one line, as the main window shows it under the results.
std::string warningLine(const std::vector<std::string>& warnings);

// The required-strength window.
inline constexpr char kSpecifiedStrengthInvalid[] =
    "مقاومت مشخصه بايد عددي بزرگتر از صفر و حداكثر 1000 كيلوگرم بر سانتيمتر مربع باشد. لطفاً مقدار "
    "آن را اصلاح نماييد";
inline constexpr char kStandardDeviationInvalid[] =
    "انحراف معيار بايد عددي بزرگتر از صفر و حداكثر 1000 كيلوگرم بر سانتيمتر مربع باشد و همراه با "
    "تعداد آزمايشها وارد شود. لطفاً مقدار آن را اصلاح نماييد";
inline constexpr char kTestCountInvalid[] =
    "تعداد آزمايشهاي متوالي بايد عدد صحيح مثبتي باشد و همراه با انحراف معيار وارد شود. "
    "لطفاً مقدار آن را اصلاح نماييد";

// The sieve analysis window.
inline constexpr char kSieveMassNotANumber[] =
    "وزن مانده بايد عددي به گرم باشد. لطفاً مقدار آن را اصلاح نماييد";
inline constexpr char kSieveMassNegative[] =
    "وزن مانده نمي تواند منفي باشد. لطفاً مقدار آن را اصلاح نماييد";
inline constexpr char kSieveGainOverOriginal[] =
    "با اين مقدار جمع وزن مانده ها از وزن خشك نمونه پيش از الك كردن بيشتر مي شود و افزايش وزن "
    "پذيرفته نيست. لطفاً مقدار آن را اصلاح نماييد";
inline constexpr char kSieveNothingToSave[] =
    "اين جدول دانه بندي نتيجه اي ندارد و ذخيره نشد. لطفاً ابتدا وزن مانده ها را وارد نماييد";
inline constexpr char kSieveNothingToUse[] =
    "نه مدول نرمي ماسه و نه اندازه اسمي بزرگترين سنگدانه شن از جدولها به دست مي آيد؛ چيزي در "
    "طرح وارد نشد";
inline constexpr char kSieveOverMixFile[] =
    "دانه بندي روي فايل طرح اختلاط نوشته نمي شود. لطفاً نام ديگري براي فايل دانه بندي انتخاب نماييد";
inline constexpr char kSieveFileNotWrittenStart[] = "فايل دانه بندي ذخيره نشد. ";
inline constexpr char kSieveFileDialogTitle[] = "select *.csv sieve analysis file";
inline constexpr char kSieveFileDialogFilter[] = "sieve analysis(*.csv)";
inline constexpr char kSieveFileDialogSuffix[] = "csv";
// A sieve analysis file refused whole: the line and the cause; the table stays as it was.
std::string sieveFileRefused(const SieveFileError& error);
std::string sieveFileNotWritten(WriteProblem problem);
// The strength-tests window.
inline constexpr char kTestsFileDialogTitle[] = "select *.csv file of strength tests";
inline constexpr char kTestsFileDialogFilter[] = "CSV file(*.csv)";
inline constexpr char kTestsFileDialogSuffix[] = "csv";
inline constexpr char kTestDateRefused[] =
    "تاريخ بايد روزي از تقويم باشد، شمسي مانند 1403/09/18 يا ميلادي مانند 2024-12-08";
inline constexpr char kCylinderStrengthRefused[] =
    "مقاومت استوانه بايد عددي بزرگتر از صفر و حداكثر 10000 كيلوگرم بر سانتيمتر مربع باشد";
inline constexpr char kOneCylinderOnly[] = "هر آزمايش دو يا سه استوانه لازم دارد، نه يكي";
inline constexpr char kNoCylinder[] = "هر آزمايش دو يا سه استوانه لازم دارد";
inline constexpr char kCylinderSkipped[] = "استوانه سوم وارد شده ولي استوانه دوم خالي است";
inline constexpr char kNotUtf8[] = "فايل متن UTF-8 نيست (آن را با قالب CSV UTF-8 ذخيره كنيد)";
inline constexpr char kNotCsv[] = "قالب CSV رعايت نشده است";
inline constexpr char kWrongHeader[] =
    "سطر اول بايد سرستون date,label,cylinder-1,cylinder-2,cylinder-3 باشد";
inline constexpr char kFieldCount[] = "هر سطر بايد 5 ستون داشته باشد";
inline constexpr char kTestsFileUnreadable[] = "فايل آزمايشها خوانده نشد";
inline constexpr char kTestsTableUnchanged[] = "؛ جدول آزمايشها تغيير نكرد";
inline constexpr char kRowPrefix[] = "رديف ";
inline constexpr char kLinePrefix[] = "سطر ";
inline constexpr char kPasteColumns[] =
    "هر رديف حداكثر 5 ستون جدا شده با Tab دارد (تاريخ، برچسب، استوانه 1 تا 3)";
inline constexpr char kRowIncomplete[] = "كامل نيست؛ آن را كامل يا حذف كنيد";
inline constexpr char kNoTestsToSave[] = "هيچ آزمايشي براي ذخيره نيست";
inline constexpr char kNoRecordPrefix[] =
    "آزمايشها سابقه اي براي انحراف معيار نيستند و پنجره مقاومت متوسط لازم پر نشد: ";
inline constexpr char kFewerThan15[] = "كمتر از 15 آزمايش";
inline constexpr char kTwoGroupsUnder30[] = "دو برچسب با كمتر از 30 آزمايش در مجموع";
inline constexpr char kGroupOfOne[] = "دو برچسب كه يكي فقط يك آزمايش دارد";
inline constexpr char kMoreThanTwoGroups[] = "بيش از دو برچسب";
inline constexpr char kTestsPasteTooLong[] =
    "متن چسبانده شده بيش از 8 مگابايت است و پذيرفته نشد؛ جدول آزمايشها تغيير نكرد";
inline constexpr char kReplaceTestsQuestion[] =
    "آزمايشهاي جدول ذخيره نشده اند. آيا مطمئنيد كه ميخواهيد به جاي آنها فايل ديگري را باز كنيد؟";

// Why a row's cells are not a test, for the strength-tests window.
const char* testCellRefusal(TestCellProblem problem);
// Why the tests are no record (RecordShortfall::None: empty).
const char* recordShortfallText(RecordShortfall shortfall);
// Why a strength-tests file is refused, with its line; the table stays as it was.
std::string testsFileRefused(const StrengthTestsFileProblem& problem);

inline constexpr char kFileDialogTitle[] = "select *.vdr file for save";
inline constexpr char kFileDialogFilter[] = "text file(*.vdr)";
inline constexpr char kFileDialogSuffix[] = "vdr";

}  // namespace veldora::messages
