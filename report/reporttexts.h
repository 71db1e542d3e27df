#pragma once

// The design report's own texts. The input captions, the condition texts and the result lines are
// the program's (workspace and engine) and are not retyped here.
namespace veldora::reporttexts {

// clang-format off

inline constexpr char kTitle[] = "گزارش طرح اختلاط بتن به روش ACI 211.1-89";
inline constexpr char kProject[] = "نام پروژه";
inline constexpr char kNoProject[] = "بدون نام";
inline constexpr char kMixFile[] = "فايل طرح اختلاط";
inline constexpr char kUnsaved[] = "اين طرح اختلاط در فايلي ذخيره نشده است";
inline constexpr char kDate[] = "تاريخ";
inline constexpr char kGregorianDate[] = "تاريخ ميلادي";
inline constexpr char kVersion[] = "نسخه برنامه";
inline constexpr char kPage[] = "صفحه";
inline constexpr char kOf[] = "از";

// The batching sheet, the report's first page.
inline constexpr char kSheetTitle[] = "برگه پيمانه\u200cكردن بتن براي كارخانه و كارگاه";
inline constexpr char kSheetMix[] = "مخلوط اين برگه";
inline constexpr char kDesignMix[] = "طرح اختلاط";
inline constexpr char kAdjustedMix[] = "طرح اختلاط اصلاح شده پس از ساخت نمونه آزمايشي";
inline constexpr char kMixIdentity[] = "مشخصات بتن";
inline constexpr char kSpecifiedStrengthOfSheet[] = "مقاومت فشاري مشخصه 28 روزه (f'c)";
inline constexpr char kDesignStrengthOfSheet[] = "مقاومت فشاري 28 روزه طرح";
inline constexpr char kCylinder[] = "نمونه استوانه\u200cاي";
inline constexpr char kTargetSlump[] = "اسلامپ هدف و رواداري آن (ASTM C94)";
inline constexpr char kMaximumSize[] = "حداكثر اندازه سنگدانه";
inline constexpr char kTargetAir[] = "درصد هواي هدف و رواداري آن (ASTM C94)";
inline constexpr char kAirOfMix[] = "درصد هواي بتن";
inline constexpr char kEntrappedAirOnly[] = "(هواي محبوس بتن بدون هوا)";
inline constexpr char kAirEntrainingAgent[] =
    "ماده حباب\u200cساز: مقدار مصرف آن چنان تنظيم شود كه درصد هواي بتن به همين مقدار برسد";
inline constexpr char kAgentProductAndDose[] =
    "نام تجاري و مقدار مصرف ماده حباب\u200cساز: "
    "...............................................";
inline constexpr char kSandByWeightMethod[] = "ماسه به روش وزني محاسبه شده است";
inline constexpr char kSandByVolumeMethod[] = "ماسه به روش حجم مطلق محاسبه شده است";
inline constexpr char kAggregate[] = "سنگدانه";
inline constexpr char kTotalMoisture[] = "رطوبت كل";
inline constexpr char kAbsorption[] = "جذب آب (رطوبت حالت اشباع با سطح خشك)";
inline constexpr char kBatchLargerThanPour[] =
    "حجم يك پيمانه مخلوط\u200cكن از حجم كل بتن\u200cريزي بيشتر است:";
inline constexpr char kCheckTheInputs[] = "لطفاً مقادير ورودي و نتايج نمونه آزمايشي را بررسي نماييد";
inline constexpr char kStrengthBasis[] = "مقاومت مبناي طرح";
inline constexpr char kSpecifiedStrength[] = "مقاومت مشخصه (f'c)";
inline constexpr char kPlantRecord[] =
    "سابقه كارخانه: انحراف معيار (s)، تعداد آزمايش\u200cهاي متوالي (n) و ضريب انحراف معيار (k)";
inline constexpr char kRequiredStrength[] = "مقاومت متوسط لازم (f'cr) با رابطه حاكم ACI 301";
inline constexpr char kNoRecord[] = "بدون سابقه آزمايش";
inline constexpr char kTooFewTests[] =
    "كمتر از 15 آزمايش: انحراف معيار به كار نمي\u200cرود و رابطه بدون سابقه حاكم است";
inline constexpr char kDesignStrength[] = "مقاومت طراحي";
inline constexpr char kAsEntered[] =
    "به همان صورتي كه وارد شده است؛ مقاومت متوسط لازم براي آن محاسبه نشده است";
inline constexpr char kSheetRatios[] = "نسبت\u200cهاي اختلاط";
inline constexpr char kMassRatio[] = "نسبت وزني سيمان : ماسه : شن (پيش از اصلاح رطوبت)";
inline constexpr char kSheetPerCubicMetre[] = "مقادير براي يك متر مكعب بتن (كيلوگرم)";
inline constexpr char kBeforeMoisture[] = "پيش از اصلاح رطوبت (سنگدانه خشك\u200cشده در گرمخانه)";
inline constexpr char kToBatch[] = "براي پيمانه، با رطوبت سنگدانه ها";
inline constexpr char kMixingWaterOrToAdd[] = "آب (آب اختلاط / آب مصرفي)";
inline constexpr char kTotalPerCubicMetre[] = "جمع: وزن يك متر مكعب بتن";
inline constexpr char kWaterPerBag[] = "آب اختلاط هر كيسه سيمان";
inline constexpr char kWaterToAdd[] = "آب مصرفي";
inline constexpr char kWaterToAddPerBag[] = "آب مصرفي هر كيسه سيمان در كارگاه";
inline constexpr char kLitres[] = "ليتر";
inline constexpr char kOneBatch[] = "يك پيمانه مخلوط\u200cكن";
inline constexpr char kGrams[] = "گرم، با رطوبت سنگدانه ها";
inline constexpr char kKilogramsAsBatched[] = "كيلوگرم، با رطوبت سنگدانه ها";
inline constexpr char kPourVolume[] = "حجم بتن\u200cريزي";
inline constexpr char kTonnes[] = "تن";
inline constexpr char kBagsPerBatch[] = "كيسه سيمان در هر پيمانه";
inline constexpr char kBatchesOfThePour[] = "تعداد پيمانه هاي بتن\u200cريزي";
inline constexpr char kBatchesOf[] = "پيمانه";
inline constexpr char kLastBatch[] = "آخرين پيمانه";
inline constexpr char kBagsToOrder[] = "كيسه سيمان براي سفارش (گرد شده به بالا)";
inline constexpr char kCementOfThePour[] = "وزن سيمان بتن\u200cريزي، پيش از گرد كردن به كيسه";
inline constexpr char kWarnings[] = "هشدار";
inline constexpr char kNotBatchable[] =
    "صفر يا منفي است؛ با اين مقدار نمي توان بتن را پيمانه كرد. لطفاً مقادير ورودي و رطوبت دانه ها را بررسي نماييد";
inline constexpr char kSheetWarnings[] = "هشدار";
inline constexpr char kSignOff[] = "تأييد برگه";
inline constexpr char kPreparedBy[] = "تهيه\u200cكننده";
inline constexpr char kCheckedBy[] = "كنترل\u200cكننده";
inline constexpr char kApprovedBy[] = "تأييدكننده";
inline constexpr char kName[] = "نام";
inline constexpr char kSignature[] = "امضا";

// The inputs.
inline constexpr char kInputs[] = "مقادير ورودي طرح";
inline constexpr char kQuantity[] = "مشخصه";
inline constexpr char kTyped[] = "متن وارد شده";
inline constexpr char kRead[] = "عدد خوانده شده";
inline constexpr char kUnit[] = "واحد";

// The conditions.
inline constexpr char kConditions[] = "شرايط طرح";
inline constexpr const char* kConditionNames[] = {
    "كارايي بتن", "شرايط محيطي", "نوع سازه از لحاظ شرايط محيط",
    "نوع سيمان",  "نوع بتن",     "نوع مقطع سازه"};
inline constexpr char kMethod[] = "روش طرح اختلاط";

// The calculation, its steps numbered under it.
inline constexpr char kCalculation[] = "مراحل محاسبه";
inline constexpr char kDerived[] = "(محاسبه شده براي گزارش)";
inline constexpr char kInterpolated[] = "مقدار درون\u200cيابي شده";
inline constexpr char kRounded[] = "مقدار گرد شده";
inline constexpr char kTableSize[] = "اندازه جدول (ميليمتر)";
inline constexpr char kAtOrBelowFirst[] = "مقدار اولين ستون جدول به كار رفته است";

inline constexpr char kWaterStep[] = "آب اختلاط و درصد هوا، جدول 6.3.3 از ACI 211.1";
inline constexpr char kSlumpRow[] = "رديف اسلامپ جدول";
inline constexpr const char* kSlumpRows[] = {"25 تا 50 ميليمتر", "75 تا 100 ميليمتر",
                                             "150 تا 175 ميليمتر"};
inline constexpr char kWaterKg[] = "آب (كيلوگرم)";
inline constexpr char kAirPercent[] = "هوا (درصد)";
inline constexpr char kAirRow[] = "رديف هواي جدول";
inline constexpr char kEntrappedAir[] = "هواي غيرعمدي بتن بدون هوا";
inline constexpr const char* kRecommendedAirRows[] = {
    "هواي پيشنهادي، شرايط ملايم", "هواي پيشنهادي، شرايط متوسط", "هواي پيشنهادي، شرايط شديد"};
inline constexpr char kMixingWater[] = "آب اختلاط (كيلوگرم)";
inline constexpr char kAirContent[] = "درصد هوا";

// The table's name between left-to-right marks, so that its bracket is not mirrored.
inline constexpr char kRatioStep[] =
    "نسبت آب به سيمان و مقدار سيمان، جدول \u200e6.3.4(a)\u200e از ACI 211.1";
inline constexpr char kTableStrength[] = "مقاومت جدول (كيلوگرم بر سانتيمتر مربع)";
inline constexpr char kTableRatio[] = "نسبت آب به سيمان جدول";
inline constexpr char kRatioFromTable[] = "نسبت آب به سيمان درون\u200cيابي شده";
inline constexpr char kExposureLimit[] = "حداكثر نسبت آب به سيمان براي شرايط محيطي";
inline constexpr char kNoLimit[] = "محدوديتي ندارد";
inline constexpr char kRatioAfterLimit[] = "نسبت آب به سيمان پس از اعمال حداكثر";
inline constexpr char kRatio[] = "نسبت آب به سيمان";
inline constexpr char kCementQuotient[] = "آب تقسيم بر نسبت آب به سيمان (كيلوگرم)";
inline constexpr char kCement[] = "مقدار سيمان (كيلوگرم)";

inline constexpr char kCoarseStep[] = "حجم و وزن شن، جدول 6.3.6 از ACI 211.1";
inline constexpr char kFinenessColumn[] = "مدول نرمي ستون جدول";
inline constexpr char kRowAtFineness[] = "حجم رديف در مدول نرمي ماسه";
inline constexpr char kSizeFraction[] = "نسبت فاصله اندازه سنگدانه بين دو رديف (t)";
inline constexpr char kTableVolume[] = "حجم خشك و ميله\u200cخورده شن درون\u200cيابي شده (متر مكعب)";
inline constexpr char kWorkabilityFactor[] = "ضريب كارايي";
inline constexpr char kVolume[] = "حجم شن پس از ضريب كارايي (متر مكعب)";
inline constexpr char kShownVolume[] = "حجم شن گرد شده (متر مكعب)";
inline constexpr char kRoddedDensity[] = "وزن مخصوص خشك و ميله\u200cخورده شن (كيلوگرم بر متر مكعب)";
inline constexpr char kCoarseProduct[] =
    "حجم شن پس از ضريب كارايي (پيش از گرد كردن) ضرب در وزن مخصوص (كيلوگرم)";
inline constexpr char kCoarseMass[] = "وزن شن (كيلوگرم)";

inline constexpr char kFineByWeightStep[] = "وزن ماسه به روش وزني";
inline constexpr char kMeanDensity[] = "ميانگين چگالي نسبي شن و ماسه (Ga)";
inline constexpr char kUnitWeightEstimate[] = "وزن تخميني يك متر مكعب بتن (كيلوگرم)";
inline constexpr char kSandMass[] = "وزن ماسه (كيلوگرم)";
inline constexpr char kFineByVolumeStep[] = "وزن ماسه به روش حجم مطلق";
inline constexpr char kWaterVolume[] = "حجم مطلق آب (ليتر)";
inline constexpr char kCementVolume[] = "حجم مطلق سيمان (ليتر)";
inline constexpr char kCoarseVolume[] = "حجم مطلق شن (ليتر)";
inline constexpr char kAirVolume[] = "حجم هوا (ليتر)";
inline constexpr char kSandVolume[] = "حجم باقي\u200cمانده براي ماسه (ليتر)";
inline constexpr char kUnitWeightSum[] = "وزن يك متر مكعب بتن، جمع وزن\u200cها (كيلوگرم)";

inline constexpr char kMoistureStep[] = "اصلاح به خاطر رطوبت دانه ها";
inline constexpr char kWetCoarse[] = "شن مرطوب (كيلوگرم)";
inline constexpr char kWetSandByWeight[] = "ماسه مرطوب، روش وزني (كيلوگرم)";
inline constexpr char kWetSandByVolume[] = "ماسه مرطوب، روش حجمي (كيلوگرم)";
inline constexpr char kCoarseFreeWater[] = "آب آزاد شن (كيلوگرم)";
inline constexpr char kSandFreeWater[] = "آب آزاد ماسه (كيلوگرم)";
inline constexpr char kBatchWater[] = "آب مصرفي (كيلوگرم)";
inline constexpr char kSandFreeWaterByVolume[] = "آب آزاد ماسه، روش حجمي (كيلوگرم)";
inline constexpr char kBatchWaterByVolume[] = "آب مصرفي، روش حجمي (كيلوگرم)";
inline constexpr char kBeforeRounding[] = "پيش از گرد كردن";

// The proportions.
inline constexpr char kPerCubicMetre[] = "مقادير مصالح در يك متر مكعب بتن (كيلوگرم)";
inline constexpr char kMaterial[] = "مصالح";
inline constexpr char kByWeightDry[] = "روش وزني، خشك";
inline constexpr char kByWeightBatch[] = "روش وزني، با رطوبت دانه ها";
inline constexpr char kByVolumeDry[] = "روش حجمي، خشك";
inline constexpr char kByVolumeBatch[] = "روش حجمي، با رطوبت دانه ها";
inline constexpr char kWater[] = "آب";
inline constexpr char kCementMaterial[] = "سيمان";
inline constexpr char kCoarse[] = "شن";
inline constexpr char kSand[] = "ماسه";
inline constexpr char kTotal[] = "جمع";
inline constexpr char kPour[] = "مقادير مصالح براي بتن\u200cريزي";
inline constexpr char kCubicMetres[] = "متر مكعب";
inline constexpr char kBagsOf[] = "كيسه";
inline constexpr char kKilogramBag[] = "كيلوگرمي";
inline constexpr char kKilogram[] = "كيلوگرم";

// The adjustment.
inline constexpr char kAdjustment[] = "مقادير اصلاح شده پس از ساخت نمونه آزمايشي";
inline constexpr char kTrialSlump[] = "اسلامپ اندازه\u200cگيري شده نمونه (ميليمتر)";
inline constexpr char kTrialUnitWeight[] =
    "وزن مخصوص اندازه\u200cگيري شده نمونه (كيلوگرم بر متر مكعب)";
inline constexpr char kTrialWater[] = "آب مصرفي نمونه در يك متر مكعب بتن (كيلوگرم)";
inline constexpr char kTrialAir[] = "درصد هواي اندازه\u200cگيري شده نمونه";
inline constexpr char kDesignAir[] = "درصد هواي طرح";
inline constexpr char kAirNotMeasured[] =
    "درصد هواي نمونه: همان درصد هواي طرح، اندازه\u200cگيري نشده (بتن بدون هوا)";
inline constexpr char kYieldAir[] = "درصد هواي نمونه از روي بازده (A′)، جايگزين درصد هواي طرح";

// The chart.
inline constexpr char kChart[] = "تركيب يك متر مكعب بتن";
inline constexpr char kAdjustedChart[] = "تركيب يك متر مكعب بتن اصلاح شده پس از ساخت نمونه آزمايشي";
inline constexpr char kVolumeShares[] = "حجم مطلق (درصد از 1000 ليتر)";
inline constexpr char kMasses[] = "وزن (كيلوگرم)";
inline constexpr char kAir[] = "هوا";
inline constexpr char kSandByWeight[] = "ماسه، روش وزني";
inline constexpr char kSandByVolume[] = "ماسه، روش حجمي";

// clang-format on

}  // namespace veldora::reporttexts
