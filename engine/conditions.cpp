#include "engine/conditions.h"

#include <array>

namespace veldora {
namespace {

using namespace std::string_view_literals;

constexpr std::array kMethod = {"ACI-89"sv, "BS "sv};
constexpr std::array kWorkability = {"كارايي كم"sv, "كارايي متوسط"sv, "كارايي زياد"sv};
constexpr std::array kEnvironment = {"شزايط عادي"sv, "شرايط متوسط"sv, "شزايط شديد"sv};
constexpr std::array kExposure = {
    "شرايط عادي"sv,
    "سازه هايي كه بطور پيوسته يا متناوب مرطوبند و تحت اثر سيكلهاي يخ زدن و آب شدن قرار دارند"sv,
    "سازه هاي در معرض آب دريا  و يا سولفاتها"sv};
constexpr std::array kCement = {"سيمان معمولي"sv, "سيمان ضدسولفات"sv};
constexpr std::array kConcrete = {"بتن بدون هوا "sv, "بتن هوادار"sv};
constexpr std::array kSection = {"مقاطع ظريف يا مقاطع با پوشش كمتر از 5 ميليمتر روي آرماتورها"sv,
                                 "مقاطع غيرظريف و با پوشش بيشتر از5 ميليمتر روي آرماتورها"sv};
constexpr std::array kResultView = {"مشاهده نتايج قبل از انجام اصلاح"sv,
                                    "مشاهده نتايج  بعد از انجام اصلاح"sv};

}  // namespace

std::span<const std::string_view> optionCaptions(DesignMethod) { return kMethod; }
std::span<const std::string_view> optionCaptions(Workability) { return kWorkability; }
std::span<const std::string_view> optionCaptions(EnvironmentClass) { return kEnvironment; }
std::span<const std::string_view> optionCaptions(ExposureClass) { return kExposure; }
std::span<const std::string_view> optionCaptions(CementType) { return kCement; }
std::span<const std::string_view> optionCaptions(ConcreteType) { return kConcrete; }
std::span<const std::string_view> optionCaptions(SectionType) { return kSection; }
std::span<const std::string_view> optionCaptions(ResultView) { return kResultView; }

}  // namespace veldora
