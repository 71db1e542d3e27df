#pragma once

// Every caption of the program's windows, exactly as the program shows it (Arabic yeh and kaf,
// doubled spaces and the odd spelling are deliberate).
namespace veldora::captions {

inline constexpr char kApplicationTitle[] = "VELDORA";

// Main window Form1: the input captions and units are the workspace's (messages.h).
inline constexpr char kCylinderNote[] = "(طبق نمونه استوانه اي)";  // Label5

inline constexpr char kSlumpGuidanceButton[] = "راهنمايي براي انتخاب اسلامپ";
inline constexpr char kAggregateGuidanceButton[] = "راهنمايي براي انتخاب بزرگترين سنگدانه";
inline constexpr char kRunButton[] = "اجراي برنامه";
inline constexpr char kNewButton[] = "طرح اختلاط جديد";
inline constexpr char kExitButton[] = "خروج ازبرنامه";
inline constexpr char kAboutButton[] = "درباره برنامه";
inline constexpr char kConditionsButton[] = "انتخاب نوع بتن و شرايط محيطي";
inline constexpr char kTrialBatchButton[] = "تصحيح نسبتهاي اختلاط";
inline constexpr char kAdjustButton[] = "اجراي دوباره برنامه  بر اساس نتايج حاصل از آزمايش";

inline constexpr char kMenuFile[] = "&FILE";
inline constexpr char kMenuNew[] = "&NEW";
inline constexpr char kMenuSave[] = "&SAVE";
inline constexpr char kMenuSaveAs[] = "S&AVEAS";
inline constexpr char kMenuOpen[] = "&OPEN";
inline constexpr char kMenuRun[] = "&RUN";
inline constexpr char kMenuExit[] = "E&XIT";
inline constexpr char kMenuReport[] = "RE&PORT...";
inline constexpr char kMenuOption[] = "&OPTION";
inline constexpr char kMenuSelectCode[] = "&SELECT CODE";
inline constexpr char kMenuView[] = "&VIEW";
inline constexpr char kMenuRequiredStrength[] = "&REQUIRED STRENGTH...";
inline constexpr char kMenuSieveAnalysis[] = "دانه بندي سنگدانه ها...";
inline constexpr char kMenuStrengthTests[] = "نتايج آزمايش مقاومت بتن...";

// Recommended-slump window Form2: Label1 indexes 0 to 21.
inline constexpr char kSlumpCaption[] = "اسلامپ پيشنهادي";
inline constexpr const char* kSlumpLabels[] = {
    "نوع سازه",
    "(mm)اسلامپ",
    "حداقل",
    "حداكثر",
    "پي و شالوده ديواربتن آرمه",
    "پي و ديوارهاي غيرمسلح",
    "تير و ديوارهاي بتن آرمه",
    "ستونهاي سازه",
    "روسازي ها و دالها",
    "بتن حجيم",
    "25",
    "75",
    "25",
    "75",
    "25",
    "100",
    "25",
    "100",
    "25",
    "75",
    "25",
    "75",
};

// Largest-aggregate-size window Form3: Label1 indexes 0 to 5.
inline constexpr char kAggregateCaption[] = "راهنمايي براي انتخاب بزرگترين اندازه سنگدانه";
inline constexpr char kAggregateNote[] =
    "توجه:به كار بردن سنگدانه هاي بزرگتر از 38 ميليمتر در ساخت بتن توصيه نميشود .ولي در هيچ "
    "حالت اندازه سنگدانه ها نبايد از 63 ميليمتر بيشتر باشد";
inline constexpr const char* kAggregateLabels[] = {
    ":بزرگترين اندازه سنگدانه نبايد از هيچيك از مقادير زير بيشتر باشد:",
    "الف:يك پنجم كوچكترين بعد فالب بتن",
    "ب:يك سوم ضخامت دال",
    "پ:سه چهارم حداقل فاصله آزاد بين آرماتورها",
    "ت:سه چهارم ضخامت پوشش روي ميلگرد",
    kAggregateNote,
};

inline constexpr char kOk[] = "OK";
inline constexpr char kCancel[] = "Cancel";
// The Persian windows' button that closes them.
inline constexpr char kClose[] = "بستن";

// Conditions window Form4: caption, row buttons in row order, and its three buttons.
inline constexpr char kConditionsCaption[] = "انتخاب بتن و شرايط محيطي";
inline constexpr const char* kConditionRowButtons[] = {
    "انتخاب كارايي مورد نياز", "انتخاب شرايط محيطي", "انتخاب نوع سازه از لحاظ رطوبت محيط",
    "انتخاب نوع سيمان",        "انتخاب نوع بتن ",    "انتخاب نوع مقطع سازه"};
inline constexpr char kDefaultButton[] = "DEFAULT";
inline constexpr char kCancelButton[] = "CANCEL";

// Trial-batch window Dialog6: caption and the labels Label1 indexes 0 to 6.
inline constexpr char kTrialCaption[] = "تصحيح نسبتهاي اختلاط با توجه به نتايج حاصل از آزمايش";
inline constexpr const char* kTrialLabels[] = {"اسلامپ نمونه آزمايشي=",
                                               "درصد هواي نمونه آزمايشي=",
                                               "وزن مخصوص نمونه=",
                                               "mm",
                                               "kg/m^3",
                                               "وزن آب در يك متر مكعب بتن",
                                               "kg"};

// Option dialogs Dialog .. Dialog5, Dialog7, Dialog8, in that order.
inline constexpr const char* kDialogCaptions[] = {
    "انتخاب كارايي بتن",     "انتخاب شرايط محيطي",      "انتخاب  نوع سازه از لحاظ شرايط محيط",
    "انتخاب نوع سيمان",      "انتخاب نوع بتن",          "انتخاب نوع سازه",
    "انتخاب روش طرح اختلاط", "انتخاب نتايج براي مشاهده"};

// The report dialog.
inline constexpr char kReportCaption[] = "گزارش طرح اختلاط";
inline constexpr char kReportProjectName[] = "نام پروژه";
inline constexpr char kReportPourVolume[] = "حجم بتن ريزي (متر مكعب)";
inline constexpr char kReportBagMass[] = "وزن هر كيسه سيمان (كيلوگرم)";
inline constexpr char kReportBatchVolume[] = "حجم هر پيمانه مخلوط كن (متر مكعب)";
inline constexpr char kReportMethod[] = "روش محاسبه ماسه در برگه پيمانه كردن";
inline constexpr char kReportVolumeMethod[] = "روش حجم مطلق";
inline constexpr char kReportWeightMethod[] = "روش وزني";
inline constexpr char kReportIncludeAdjustment[] =
    "مقادير اصلاح شده پس از ساخت نمونه آزمايشي نيز در گزارش آورده شود";

// The required-strength window.
inline constexpr char kStrengthCaption[] = "مقاومت متوسط لازم (ACI 301)";
inline constexpr const char* kStrengthLabels[] = {
    "مقاومت مشخصه f'c (كيلوگرم بر سانتيمتر مربع)",
    "انحراف معيار مقاومت در كارخانه s (كيلوگرم بر سانتيمتر مربع)، اختياري",
    "تعداد آزمايشهاي متوالي n، همراه با انحراف معيار"};
inline constexpr char kStrengthFactor[] = "ضريب k انحراف معيار (كمتر از 30 آزمايش):";
inline constexpr char kStrengthFactorUnused[] = "به كار نمي رود";
inline constexpr char kStrengthSpecified[] = "مقاومت مشخصه:";
inline constexpr char kStrengthRequired[] = "مقاومت متوسط لازم f'cr:";
inline constexpr char kStrengthRule[] = "رابطه حاكم:";
inline constexpr char kStrengthFewTests[] =
    "كمتر از 15 آزمايش: انحراف معيار به كار نمي رود و رابطه بدون سابقه حاكم است";
inline constexpr char kStrengthOutsideRange[] =
    "اين مقاومت خارج از محدوده 150 تا 400 كيلوگرم بر سانتيمتر مربع جدول طرح است؛ با آن، طرح در "
    "كنترل مقاومت متوقف خواهد شد";
inline constexpr char kStrengthOkNote[] =
    "با OK، مقاومت متوسط لازم (گرد شده به بالا) در جعبه مقاومت فشاري نوشته مي شود";

// The strength-tests window.
inline constexpr char kTestsCaption[] =
    "نتايج آزمايش مقاومت فشاري نمونه هاي استوانه اي (ACI 214R و ACI 318)";
inline constexpr char kTestsSpecified[] = "مقاومت مشخصه f'c (كيلوگرم بر سانتيمتر مربع)";
inline constexpr const char* kTestsColumns[] = {"تاريخ",         "برچسب",
                                                "استوانه 1",     "استوانه 2",
                                                "استوانه 3",     "استوانه ها (MPa)",
                                                "مقاومت آزمايش", "ميانگين سه آزمايش"};
inline constexpr char kTestsCount[] = "تعداد آزمايشها n:";
inline constexpr char kTestsMean[] = "ميانگين:";
inline constexpr char kTestsDeviation[] = "انحراف معيار s:";
inline constexpr char kTestsVariation[] = "ضريب تغييرات:";
inline constexpr char kTestsWithin[] = "انحراف معيار درون آزمايش s₁ = R̄/d₂:";
inline constexpr char kTestsRating[] = "درجه كنترل (ACI 214R جدول 3.2):";
inline constexpr char kTestsRecord[] = "سابقه براي مقاومت متوسط لازم:";
inline constexpr const char* kTestsRatings[] = {"عالي", "خيلي خوب", "خوب", "متوسط", "ضعيف"};
inline constexpr char kTestsRecordOf[] = " از آزمايشهاي ";
inline constexpr char kTestsNoRecord[] = "ندارد: ";
inline constexpr char kTestsNoSpecified[] = "براي داوري پذيرش، مقاومت مشخصه f'c را وارد كنيد";
inline constexpr char kTestsNoTests[] = "هنوز آزمايشي در جدول نيست";
inline constexpr char kTestsAccepted[] =
    "پذيرفته: همه ميانگينهاي سه آزمايش متوالي دست كم f'c و هيچ آزمايشي كمتر از حد تك آزمايش "
    "نيست (ACI 318-14 بند 26.12.3.1)";
inline constexpr char kTestsNotAccepted[] = "پذيرفته نيست (ACI 318-14 بند 26.12.3.1):";
inline constexpr char kTestsFailingTests[] = " آزمايشهاي كمتر از ";
inline constexpr char kTestsFailingAverages[] =
    " ميانگينهاي سه آزمايش كمتر از f'c، به شماره آخرين آزمايش: ";
inline constexpr char kTestsOutOfOrder[] =
    "تاريخ اين آزمايشها پيش از آزمايش قبلي است و به همان ترتيب وارد شده نگه داشته شده اند: ";
inline constexpr char kTestsIncomplete[] = "رديفهاي ناقص كه شمرده نمي شوند: ";
inline constexpr char kTestsAddRow[] = "افزودن رديف";
inline constexpr char kTestsRemoveRow[] = "حذف رديف";
inline constexpr char kTestsPaste[] = "چسباندن از صفحه گسترده";
inline constexpr char kTestsOpen[] = "باز كردن CSV";
inline constexpr char kTestsSave[] = "ذخيره CSV";
inline constexpr char kTestsFill[] = "پر كردن پنجره مقاومت متوسط لازم با s و n";
inline constexpr char kTestsChartRequired[] = "f'cr";
inline constexpr char kTestsChartSpecified[] = "f'c";
inline constexpr char kTestsChartLimit[] = "حد تك آزمايش";

// The About window (English).
inline constexpr char kAboutPrefix[] = "About ";
inline constexpr char kVersionPrefix[] = "Version ";
inline constexpr char kAboutDescription[] =
    "Concrete mix proportioning by ACI 211.1-89, with trial-batch adjustment.";
inline constexpr char kAboutDisclaimer[] =
    "Free software under the GNU General Public License, version 3 or later, with no warranty. "
    "Check every batch weight against a trial batch before pouring.";

// The sieve analysis window; its results' texts are the workspace's (sievetexts.h).
inline constexpr char kSieveCaption[] = "دانه بندي سنگدانه ها (ASTM C136 و ASTM C33)";
inline constexpr char kSieveRules[] =
    "وزن مانده روي هر الك را به گرم وارد كنيد. درصدها از جمع وزن مانده ها (با سيني) است و وزن "
    "خشك نمونه فقط براي افت وزن به كار مي رود. بزرگترين اندازه: كوچكترين الكي كه همه نمونه از آن "
    "گذشته است؛ اندازه اسمي بزرگترين سنگدانه: كوچكترين الكي كه حداكثر 10 درصد (تجمعي) روي آن مانده "
    "است.";
inline constexpr char kSieveFineTitle[] = "ماسه (سنگدانه ريز)";
inline constexpr char kSieveCoarseTitle[] = "شن (سنگدانه درشت)";
inline constexpr char kSieveLimitsColumn[] = "حدود عبوري";
inline constexpr char kSieveOutcomeColumn[] = "نتيجه";
inline constexpr char kSieveOriginalRow[] = "وزن خشك نمونه";
inline constexpr char kSieveSizeNumber[] = "شماره اندازه ASTM C33:";
inline constexpr char kSieveOpen[] = "باز كردن فايل...";
inline constexpr char kSieveSave[] = "ذخيره در فايل...";
inline constexpr char kSieveUseInDesign[] = "استفاده در طرح";
inline constexpr char kSieveUseNote[] =
    "«استفاده در طرح» مدول نرمي ماسه را در خانه مدول نرمي و اندازه اسمي بزرگترين سنگدانه شن را در "
    "خانه اندازه بزرگترين سنگدانه مي نويسد.";

}  // namespace veldora::captions
