#include "FormLayout.h"

namespace vantorel::window {

namespace {

using enum ControlKind;

constexpr NamedFont kWindowFont{nullptr, 0, false};
constexpr NamedFont kTitle{"Garamond", 18.75, true};
constexpr NamedFont kCaption{"Garamond", 12, true};
constexpr NamedFont kSansSerif{"MS Sans Serif", 9.75, false};
constexpr NamedFont kFrameFont{"Garamond", 9.75, true};

constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment kRight = Qt::AlignRight | Qt::AlignVCenter;

constexpr ControlEntry kControls[] = {
    {"Label1", Label, "Vantorel", kTitle, Qt::AlignCenter, {240, 120, 6615, 495}},
    {"Label2", Label, "Category:", kCaption, kLeft, {240, 840, 1575, 255}},
    {"Label3", Label, "Fluid:", kCaption, kLeft, {3840, 840, 1575, 255}},
    {"lstCategory", List, nullptr, kSansSerif, {}, {240, 1080, 3255, 1260}, "Category"},
    {"lstFluid", List, nullptr, kSansSerif, {}, {3840, 1080, 3015, 2460}, "Fluid"},
    {"Label4", Label, "Temperature", kCaption, kLeft, {360, 2520, 1455, 255}},
    {"txtTemp",
     TextBox,
     nullptr,
     kWindowFont,
     {},
     {1920, 2520, 975, 285},
     "Temperature in kelvin",
     "Enter calculates the properties"},
    {"Label5", Label, "K", kSansSerif, kLeft, {3000, 2520, 255, 255}},
    {"lblRangeTitle", Label, "TemperatureRange", kCaption, kRight, {240, 3000, 2175, 375}},
    {"lblRange",
     Label,
     "Tmin <= T(K) <= Tmax",
     kSansSerif,
     kLeft,
     {720, 3360, 2655, 255},
     nullptr,
     "The temperatures the chosen fluid can be calculated at"},
    {"Label7", Label, "Properties:", kCaption, kLeft, {360, 3840, 1335, 255}},
    // White, with no border; its caption "Properties*" is never shown.
    {"Frame1", Frame, nullptr, kFrameFont, {}, {240, 4200, 6615, 3345}, "Properties"},
    {"cmdCalc", Button, "&Calculate Properties", kCaption, {}, {2040, 7800, 1455, 855}},
    {"cmdReset", Button, "&Reset Form", kCaption, {}, {3720, 7800, 1455, 855}},
    {"cmdExit", Button, "E&xit", kCaption, {}, {5400, 7800, 1455, 855}},
};

constexpr const char* kTabOrder[] = {"lstCategory", "lstFluid", "txtTemp", "cmdExit", "cmdReset", "cmdCalc"};

constexpr int kColumnLeft[] = {1900, 5100};
constexpr int kRowTop[kRowsPerColumn] = {195, 645, 1095, 1545, 1995, 2445, 2895};
constexpr int kResultWidth = 1335;
constexpr int kResultHeight = 255;

using enum SymbolRun::Kind;

constexpr SymbolRun kRho[] = {{Symbol, "ρ"}, {Plain, " (kg/m"}, {Superscript, "3"}, {Plain, ") ="}};
constexpr SymbolRun kCp[] = {{Symbol, "c"}, {Subscript, "p"}, {Plain, " (kJ/kg·K) ="}};
constexpr SymbolRun kMu[] = {{Symbol, "μ"}, {Plain, " (N·s/m"}, {Superscript, "2"}, {Plain, ") ="}};
constexpr SymbolRun kNu[] = {{Symbol, "ν"}, {Plain, " (m"}, {Superscript, "2"}, {Plain, "/s) ="}};
constexpr SymbolRun kK[] = {{Symbol, "k"}, {Plain, " (W/m·K) ="}};
constexpr SymbolRun kAlpha[] = {{Symbol, "α"}, {Plain, " (m"}, {Superscript, "2"}, {Plain, "/s) ="}};
constexpr SymbolRun kPr[] = {{Symbol, "Pr"}, {Plain, " ="}};
constexpr SymbolRun kBeta[] = {{Symbol, "β"}, {Plain, " (K"}, {Superscript, "−1"}, {Plain, ") ="}};
constexpr SymbolRun kP[] = {{Symbol, "P"}, {Plain, " (bars) ="}};
constexpr SymbolRun kVf[] = {{Symbol, "v"}, {Subscript, "f"}, {Plain, " (m"}, {Superscript, "3"}, {Plain, "/kg) ="}};
constexpr SymbolRun kVg[] = {{Symbol, "v"}, {Subscript, "g"}, {Plain, " (m"}, {Superscript, "3"}, {Plain, "/kg) ="}};
constexpr SymbolRun kHfg[] = {{Symbol, "h"}, {Subscript, "fg"}, {Plain, " (kJ/kg) ="}};
constexpr SymbolRun kCpf[] = {{Symbol, "c"}, {Subscript, "p,f"}, {Plain, " (kJ/kg·K) ="}};
constexpr SymbolRun kCpg[] = {{Symbol, "c"}, {Subscript, "p,g"}, {Plain, " (kJ/kg·K) ="}};
constexpr SymbolRun kMuf[] = {{Symbol, "μ"}, {Subscript, "f"}, {Plain, " (N·s/m"}, {Superscript, "2"}, {Plain, ") ="}};
constexpr SymbolRun kMug[] = {{Symbol, "μ"}, {Subscript, "g"}, {Plain, " (N·s/m"}, {Superscript, "2"}, {Plain, ") ="}};
constexpr SymbolRun kKf[] = {{Symbol, "k"}, {Subscript, "f"}, {Plain, " (W/m·K) ="}};
constexpr SymbolRun kKg[] = {{Symbol, "k"}, {Subscript, "g"}, {Plain, " (W/m·K) ="}};
constexpr SymbolRun kPrf[] = {{Symbol, "Pr"}, {Subscript, "f"}, {Plain, " ="}};
constexpr SymbolRun kPrg[] = {{Symbol, "Pr"}, {Subscript, "g"}, {Plain, " ="}};
constexpr SymbolRun kSigmaf[] = {{Symbol, "σ"}, {Subscript, "f"}, {Plain, " (N/m) ="}};
constexpr SymbolRun kBetaf[] = {{Symbol, "β"}, {Subscript, "f"}, {Plain, " (K"}, {Superscript, "−1"}, {Plain, ") ="}};

// Each picture's right edge lies just left of its row's label.
constexpr PictureEntry kPictures[kSlotCount] = {
    {"imaRho", kRho, {540, 128, 1260, 390}},
    {"imaCp", kCp, {225, 600, 1575, 345}},
    {"imaMu", kMu, {390, 1028, 1410, 390}},
    {"imaNu", kNu, {720, 1478, 1080, 390}},
    {"imaK", kK, {360, 1958, 1440, 330}},
    {"imaAlpha", kAlpha, {705, 2378, 1095, 390}},
    {"imaPr", kPr, {1305, 2872, 495, 300}},
    {"imaBeta", kBeta, {4092, 128, 908, 390}},
    {"imaP", kP, {690, 158, 1110, 330}},
    {"imaVf", kVf, {310, 578, 1485, 390}},
    {"imaVg", kVg, {472, 1028, 1328, 390}},
    {"imaHfg", kHfg, {487, 1500, 1320, 345}},
    {"imaCpf", kCpf, {128, 1950, 1665, 345}},
    {"imaCpg", kCpg, {105, 2400, 1695, 345}},
    {"imaMuf", kMuf, {308, 2828, 1492, 390}},
    {"imaMug", kMug, {3480, 128, 1515, 390}},
    {"imaKf", kKf, {3495, 608, 1515, 330}},
    {"imaKg", kKg, {3465, 1050, 1545, 345}},
    {"imaPrf", kPrf, {4455, 1515, 540, 315}},
    {"imaPrg", kPrg, {4425, 1950, 570, 345}},
    {"imaSigmaf", kSigmaf, {3860, 2408, 1140, 330}},
    {"imaBetaf", kBetaf, {4018, 2828, 982, 390}},
};

}  // namespace

std::span<const ControlEntry> FormControls() { return kControls; }

std::span<const char* const> TabOrder() { return kTabOrder; }

TwipsBox ResultLabelBox(int label) {
  return {kColumnLeft[InRightColumn(label) ? 1 : 0], kRowTop[label % kRowsPerColumn], kResultWidth, kResultHeight};
}

std::span<const PictureEntry, kSlotCount> Pictures() { return kPictures; }

}  // namespace vantorel::window
