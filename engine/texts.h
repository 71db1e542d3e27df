#pragma once

// Every user-facing text of the calculation core, exactly as the program shows it: Arabic yeh
// and kaf, doubled and trailing spaces and the odd spelling are all deliberate.

namespace veldora::texts {

inline constexpr char kErrorTitle[] = "پيغام خطا";

// Result lines of the design run.
inline constexpr char kHeadingAci89[] = "ACI-89طرح اختلاط بتن طبق ";
inline constexpr char kKilogram[] = "كيلوگرم";
inline constexpr char kKilogramPerCubicMetre[] = "كيلوگرم بر متر مكعب";
inline constexpr char kHundredthsMark[] = "،";

inline constexpr char kWaterLabel[] = "مقدار آب مورد نياز در متر مكعب=";
inline constexpr char kEntrappedAirLabel[] = "مقدار درصد حجم هواي غيرعمدي در بتن بدون هوا=";
inline constexpr char kRecommendedAirLabel[] = "مقدار درصد حجم هواي پيشنهادي در بتن هوادار=";
inline constexpr char kWaterCementLabel[] = "مقدار نسبت اب به سيمان=";
inline constexpr char kCementLabel[] = "مقدار سيمان مورد نياز در يك متر مكعب بتن=";
inline constexpr char kCoarseVolumeLabel[] =
    "حجم دانه هاي درشت در يك متر مكعب بتن(به صورت خشك و ميله خورده بر حيب متر مكعب)=";
inline constexpr char kCoarseWeightLabel[] = "وزن دانه هاي درشت در يك متر مكعب بتن=";
inline constexpr char kUnitWeightByWeightLabel[] = "وزن يك متر مكعب بتن بر اساس روش وزني=";
inline constexpr char kSandByWeightLabel[] = "وزن ماسه در يك متر مكعب بتن بر اساس روش وزني=";
inline constexpr char kUnitWeightByVolumeLabel[] = "وزن يك متر مكعب بتن بر اساس روش حجمي=";
inline constexpr char kSandByVolumeLabel[] = "وزن ماسه در يك متر مكعب بتن بر اساس روش حجمي=";
inline constexpr char kBatchWaterLabel[] = "وزن آب بعد از اصلاح به خاطر رطوبت دانه ها=";
inline constexpr char kBatchCoarseLabel[] =
    "وزن شن بعد از اصلاح به خاطر رطوبت دانه ها به روش وزني=";
inline constexpr char kBatchSandByWeightLabel[] =
    "وزن ماسه بعد از اصلاح به خاطر رطوبت دانه ها به روش وزني=";
inline constexpr char kBatchSandByVolumeLabel[] =
    "وزن ماسه بعد از اصلاح به خاطر رطوبت دانه ها به روش حجمي=";

// Input checks of the design run, in check order.
inline constexpr char kSlumpRangeMessage[] =
    "اسلامپ بايد بين صفر تا 175ميليمتر باشد لطفاً مقدار اسلامپ را اصلاح نموده و برنامه را دوباره "
    "اجرا نماييد";
inline constexpr char kMaxSizeRangeMessage[] =
    "اندازه بزرگترين سنگدانه بايد بين 9.5تا 150ميليمتر باشد لطفاً مقدار اندازه بزرگترين سنگدانه را "
    "اصلاح نموده و برنامه را دوباره اجرا نماييد";
inline constexpr char kStrengthRangeMessage[] =
    "مقاومت فشاري بتن بايد بين 150تا 400كيلوگرم بر سانتيمتر مربع باشد لطفاً مقدار مقاومت فشاري را "
    "اصلاح نموده و برنامه را دوباره اجرا نماييد";
inline constexpr char kFinenessRangeMessage[] =
    "مدول نرمي ماسه در اين برنامه بايد بين 2.4تا 3 باشد لطفاً مقدار مدول نرمي ماسه را اصلاح نموده و "
    "برنامه را دوباره اجرا نماييد";
inline constexpr char kRoddedDensityMessage[] =
    "وزن مخصوص شن بايد بزرگتر از صفر باشد لطفاً مقدار وزن مخصوص شن را اصلاح نموده و برنامه را "
    "دوباره اجرا نماييد";
inline constexpr char kCementDensityMessage[] =
    "چگالي نسبي سيمان بايد بزرگتر از صفر باشد لطفاً مقدار چگالي نسبي سيمان را اصلاح نموده و برنامه "
    "را دوباره اجرا نماييد";
inline constexpr char kCoarseDensityMessage[] =
    "چگالي نسبي شن بايد بزرگتر از صفر باشد لطفاً مقدار چگالي نسبي شن را اصلاح نموده و برنامه را "
    "دوباره اجرا نماييد";
inline constexpr char kFineDensityMessage[] =
    "چگالي نسبي ماسه بايد بزرگتر از صفر باشد لطفاً مقدار چگالي نسبي ماسه را اصلاح نموده و برنامه "
    "را دوباره اجرا نماييد";
inline constexpr char kCoarseMoistureMessage[] =
    "درصد رطوبت شن بايد بين صفر تا 100درصد باشد لطفاً مقدار درصد رطوبت شن را اصلاح نموده و برنامه "
    "را دوباره اجرا نماييد";
inline constexpr char kFineMoistureMessage[] =
    "درصد رطوبت ماسه بايد بين صفر تا 100درصد باشد لطفاً مقدار درصد رطوبت ماسه را اصلاح نموده و "
    "برنامه را دوباره اجرا نماييد";
inline constexpr char kCoarseAbsorptionMessage[] =
    "درصد رطوبت حالت اشباع شن بايد يك عدد معتبر باشد لطفاً مقدار آن را اصلاح نموده و برنامه را "
    "دوباره اجرا نماييد";
inline constexpr char kFineAbsorptionMessage[] =
    "درصد رطوبت حالت اشباع ماسه بايد يك عدد معتبر باشد لطفاً مقدار آن را اصلاح نموده و برنامه را "
    "دوباره اجرا نماييد";

// Refusals of the calculation steps.
inline constexpr char kSlumpSizeRefusal[] =
    "طرح اختلاط با اسلامپ و بزرگترين بعد سنگدانه دانه شده امكانپذير نميباشد.لطفاً اسلامپ و يا "
    "اندازه بزرگترين سنگدانه را كاهش داده و برنامه را دوباره اجرا نماييد";
inline constexpr char kAirStrengthRefusal[] =
    "اين برنامه قادر به دادن طرح اختلاط براي بتن هوادار با مقاومت بيش از 350 كيلوگرم بر سانتيمتر "
    "مربع نمي باشد. لطفاً مقدار مقاومت فشاري بتن ويا نوع بتن را تعويض نموده و سپس برنامه را "
    "دوباره اجرا نماييد ";
inline constexpr char kAirRequiredRefusal[] =
    "با توجه به شرايط محيطي انتخاب شده حتماً بايد از بتن هوادار استفاده نمود. لطفاً نوع بتن را عوض "
    "نموده و برنامه را دوباره اجرا نماييد";
inline constexpr char kNotComputableRefusal[] =
    "نتايج طرح اختلاط با مقادير وارد شده قابل محاسبه نميباشد. لطفاً مقادير ورودي را بررسي نموده و "
    "برنامه را دوباره اجرا نماييد";

// The trial-batch adjustment.
inline constexpr char kAdjustedHeading[] = "مقادير اصلاح شده طرح اختلاط پس از ساخت نمونه";
inline constexpr char kReduceAdmixture[] = "بايد مقدار مواد مضاف هوازا را كاهش داد";
inline constexpr char kIncreaseAdmixture[] = "بايد مقدار مواد مضاف هوازا را افزايش داد";
inline constexpr char kAdjustedWaterByWeight[] = "مقدار آب مورد نياز پس از اصلاح به روش وزني=";
inline constexpr char kAdjustedCementByWeight[] = "مقدار سيمان مورد نياز پس از اصلاح به روش وزني=";
inline constexpr char kAdjustedCoarseByWeight[] =
    "مقدار شن مورد نياز پس از اصلاح با احتساب رطوبت دانه ها به روش وزني=";
inline constexpr char kAdjustedSandByWeight[] =
    "مقدار ماسه مورد نياز پس از اصلاح با احتساب رطوبت دانه ها با روش وزني=";
inline constexpr char kAdjustedWaterByVolume[] = "مقدار آب مورد نياز پس از اصلاح به روش حجمي=";
inline constexpr char kAdjustedCementByVolume[] = "مقدار سيمان مورد نياز پس از اصلاح به روش حجمي=";
inline constexpr char kAdjustedCoarseByVolume[] = "مقدار شن مورد نياز پس از اصلاح به روش حجمي=";
inline constexpr char kAdjustedSandByVolume[] =
    "مقدار ماسه مورد نياز پس از اصلاح با احتساب رطوبت دانه ها با روش حجمي=";
inline constexpr char kAdjustmentNotComputable[] =
    "محاسبه نسبتهاي اصلاح شده با نتايج آزمايش وارد شده امكانپذير نميباشد. لطفاً نتايج آزمايش را "
    "بررسي نموده و دوباره اجرا نماييد";

}  // namespace veldora::texts
