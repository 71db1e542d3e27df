#pragma once

// The workspace's own messages; the calculation core's are in texts.h of the engine.
namespace veldora::messages {

inline constexpr char kAdjustmentNeedsRun[] =
    "محاسبه اصلاح فقط پس از اجراي كامل طرح اختلاط امكانپذير است. لطفاً ابتدا برنامه را اجرا نماييد";
inline constexpr char kTrialValueOutOfRange[] =
    "مقدار وارد شده براي نمونه آزمايشي خارج از محدوده مجاز است. لطفاً آن را اصلاح نماييد";

// The conditions window's texts at creation where they differ from the option captions.
inline constexpr char kNormalConditionsAtCreation[] = "شرايط عادي";
inline constexpr char kNonAirEntrainedAtCreation[] = "بتن بدون هوا";

inline constexpr char kUntitledTitle[] = "VELDORA  UNTITLED";

// The exit confirmation ed.
inline constexpr char kWarningTitle[] = "پيغام اخطار!!";
inline constexpr char kExitQuestion[] = "آيا مطمئنيد که ميخواهيد از برنامه خارج شويد؟";

}  // namespace veldora::messages
