#pragma once

// The Persian texts of a sieve analysis's results, as the command line prints them and the sieve
// analysis window shows them.
namespace veldora::sievetexts {

inline constexpr char kFineHeading[] = "دانه بندي ماسه: ";
inline constexpr char kCoarseHeading[] = "دانه بندي شن: ";
inline constexpr char kColumns[] =
    "الك(ميليمتر)\tمانده(گرم)\tمانده(درصد)\tمانده تجمعي(درصد)\tعبوري(درصد)";
inline constexpr char kPan[] = "سيني";
inline constexpr char kTotal[] = "جمع وزن مانده ها= ";
inline constexpr char kOriginal[] = "وزن خشك نمونه پيش از الك كردن= ";
inline constexpr char kLoss[] = "افت وزن در الك كردن= ";
inline constexpr char kLossTooLarge[] =
    "افت وزن بيش از 0.3 درصد است: طبق ASTM C136 نتيجه براي پذيرش معتبر نيست";
inline constexpr char kGram[] = " گرم";
inline constexpr char kPercent[] = " درصد";
inline constexpr char kMillimetre[] = " ميليمتر";
inline constexpr char kFineness[] = "مدول نرمي= ";
inline constexpr char kNoFineness[] = "مدول نرمي قابل محاسبه نيست؛ الك لازم در آزمايش نيست:";
inline constexpr char kMaximum[] =
    "بزرگترين اندازه سنگدانه (كوچكترين الكي كه همه نمونه از آن گذشته)= ";
inline constexpr char kNominal[] =
    "اندازه اسمي بزرگترين سنگدانه (كوچكترين الكي كه حداكثر 10 درصد روي آن مانده)= ";
inline constexpr char kUnknown[] = "نامعلوم (بزرگترين الك آزمايش مانده دارد)";
inline constexpr char kFineCheck[] = "كنترل دانه بندي ماسه طبق ASTM C33 جدول 1: ";
inline constexpr char kCoarseCheck[] = "كنترل دانه بندي شن طبق ASTM C33 شماره اندازه ";
inline constexpr char kPassing[] = ": عبوري ";
inline constexpr char kLimits[] = "، حدود ";
inline constexpr char kTo[] = " تا ";
inline constexpr char kRetainedOn[] = "مانده روي ";
inline constexpr char kPassingThrough[] = " از عبوري ";
inline constexpr char kMost45[] = "، حداكثر 45";
inline constexpr char kFinenessCheck[] = "مدول نرمي";
inline constexpr char kFits[] = "شماره اندازه منطبق: ";
inline constexpr char kNearest[] = "نزديكترين شماره اندازه: ";
inline constexpr char kPass[] = "قبول";
inline constexpr char kFail[] = "مردود";
inline constexpr char kNotTested[] = "آزمايش نشده";
// Why a table has no results.
inline constexpr char kNoSieve[] = "هيچ الكي وزن مانده ندارد";
inline constexpr char kZeroTotal[] = "جمع وزن مانده ها صفر است";

}  // namespace veldora::sievetexts
