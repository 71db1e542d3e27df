#pragma once

// The workspace's own messages and captions; the calculation core's are in texts.h of the engine.
#include "engine/mix.h"

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
inline constexpr const char* kInputUnits[kBoxCount] = {"mm", "mm", "kg/cm^2", "", "kg/m^3", "",
                                                       "",   "",   "",        "", "",       ""};

// The exit question.
inline constexpr char kWarningTitle[] = "پيغام اخطار!!";
inline constexpr char kExitQuestion[] = "آيا مطمئنيد که ميخواهيد از برنامه خارج شويد؟";

// The file commands.
inline constexpr char kTitlePrefix[] = "VELDORA  ";
inline constexpr char kNewQuestion[] = "آيا مطمئنيد که ميخواهيد طرح اختلاط جديدي را شروع نماييد؟";
inline constexpr char kMissingFileTitle[] = "errore BOX";
inline constexpr char kMissingFile[] =
    "اين فايل با نام و آدرس وارد شده موجود نميباشد . لطفا نام و آدرس فايل را اصلاح نماييد";
inline constexpr char kInvalidFile[] = "اين فايل طرح اختلاط ناقص يا نامعتبر است و باز نشد";
inline constexpr char kSaveFailed[] =
    "فايل طرح اختلاط ذخيره نشد. لطفاً نام و آدرس فايل را بررسي نماييد";
inline constexpr char kUnsavableText[] =
    "متن وارد شده در يكي از خانه ها قابل ذخيره در فايل نيست. لطفاً آن را اصلاح نماييد";
// The report dialog.
inline constexpr char kReportNotWritten[] =
    "گزارش طرح اختلاط نوشته نشد. لطفاً نام و آدرس فايل را بررسي نماييد";
inline constexpr char kReportOverMixFile[] =
    "گزارش روي فايل طرح اختلاط نوشته نمي شود. لطفاً نام ديگري براي فايل گزارش انتخاب نماييد";
inline constexpr char kProjectNameTooLong[] =
    "نام پروژه حداكثر 200 حرف مي تواند باشد. لطفاً آن را كوتاه نماييد";
inline constexpr char kPourVolumeInvalid[] =
    "حجم بتن ريزي بايد عددي از 0.001 تا 100000 متر مكعب باشد. لطفاً مقدار آن را اصلاح نماييد";
inline constexpr char kBagMassInvalid[] =
    "وزن هر كيسه سيمان بايد عددي از 1 تا 2000 كيلوگرم باشد. لطفاً مقدار آن را اصلاح نماييد";

inline constexpr char kFileDialogTitle[] = "select *.vdr file for save";
inline constexpr char kFileDialogFilter[] = "text file(*.vdr)";
inline constexpr char kFileDialogSuffix[] = "vdr";

}  // namespace veldora::messages
