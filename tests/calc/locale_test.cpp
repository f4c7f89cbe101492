// The number rules and the recalculation give the same results whatever the process locale:
// the decimal comma is ours, not the regional settings'.

#include "calc/number_text.h"
#include "calc/recalculation.h"

#include "calc_test_support.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <locale>
#include <random>
#include <string>
#include <vector>

namespace {

using calc::FailureKind;
using calc_test::SameBits;

// Sets both the C and the C++ global locale, and puts back the previous ones.
class ScopedLocale {
public:
    explicit ScopedLocale(const char* name)
        : savedC_(std::setlocale(LC_ALL, nullptr)), savedCpp_(std::locale()) {
        ok_ = std::setlocale(LC_ALL, name) != nullptr;
        if (ok_) {
            try {
                std::locale::global(std::locale(name));
            } catch (const std::runtime_error&) {
                ok_ = false;
            }
        }
    }
    ~ScopedLocale() {
        std::setlocale(LC_ALL, savedC_.c_str());
        std::locale::global(savedCpp_);
    }
    ScopedLocale(const ScopedLocale&) = delete;
    ScopedLocale& operator=(const ScopedLocale&) = delete;

    bool ok() const { return ok_; }

private:
    std::string savedC_;
    std::locale savedCpp_;
    bool ok_ = false;
};

// A spread of doubles of every magnitude, the same every time.
std::vector<double> SampleValues() {
    std::mt19937_64 random(567);
    std::vector<double> values;
    values.reserve(20000);
    while (values.size() < values.capacity()) {
        const std::uint64_t bits = random();
        double value = 0;
        std::memcpy(&value, &bits, sizeof value);
        if (std::isfinite(value)) {
            values.push_back(value);
        }
    }
    return values;
}

struct Observed {
    std::vector<std::string> texts;
    std::vector<double> readBack;
};

Observed Observe(const std::vector<double>& values) {
    Observed observed;
    for (double value : values) {
        observed.texts.push_back(calc::NumberToText(value));
        const calc::Checked<double> read = calc::TextToNumber(observed.texts.back());
        observed.readBack.push_back(read.ok() ? read.value : -1.0); // -1: beyond the range
    }
    return observed;
}

struct LocaleRow {
    const char* name;
    const char* locale;
    const char* decimalPoint; // what the locale itself uses, to prove it is in force
    friend void PrintTo(const LocaleRow& row, std::ostream* out) { *out << row.name; }
};

class UnderLocale : public testing::TestWithParam<LocaleRow> {};

TEST_P(UnderLocale, NumbersAndResultsAreTheSame) {
    const std::vector<double> values = SampleValues();
    Observed reference;
    {
        ScopedLocale cLocale("C");
        ASSERT_TRUE(cLocale.ok());
        reference = Observe(values);
    }

    ScopedLocale locale(GetParam().locale);
    ASSERT_TRUE(locale.ok()) << "cannot set the locale " << GetParam().locale;
    ASSERT_STREQ(std::localeconv()->decimal_point, GetParam().decimalPoint);

    EXPECT_EQ(calc::NumberToText(1748.252), "1748,252");
    EXPECT_EQ(calc::NumberToText(1e15), "1E+15");
    EXPECT_EQ(calc::NumberToText(4.7 / 1000000), "4,7E-06");
    EXPECT_EQ(calc::NumberToText(-1.5), "-1,5");
    EXPECT_EQ(calc::NumberToText(1234567.5), "1234567,5");
    EXPECT_EQ(calc::IntegerToText(-16575), "-16575");
    EXPECT_TRUE(SameBits(calc::TextToNumber("1,2"), 1.2));
    EXPECT_TRUE(SameBits(calc::TextToNumber("4,7E-06"), 0.0000047));
    EXPECT_EQ(calc::TextToNumber("1.5").failure, FailureKind::TypeMismatch);
    EXPECT_EQ(calc::TextToNumber("1.234,5").failure, FailureKind::TypeMismatch);
    EXPECT_EQ(calc::TextToNumber("1 234,5").failure, FailureKind::TypeMismatch);

    const Observed observed = Observe(values);
    for (std::size_t i = 0; i < values.size(); ++i) {
        ASSERT_EQ(observed.texts[i], reference.texts[i]) << "value " << values[i];
        ASSERT_TRUE(SameBits(observed.readBack[i], reference.readBack[i])) << observed.texts[i];
    }

    calc::CalculInputs inputs;
    inputs.ComboR = "3,3";
    inputs.ComboValR1 = 1;
    inputs.ComboC = "4,7";
    inputs.ComboValC1 = 1;
    inputs.ComboC2 = "2,2";
    inputs.ComboValC2 = 1;
    inputs.ComboV = "15";
    calc::StoredValues stored;
    calc::Captions captions;
    EXPECT_TRUE(calc::Calcul(inputs, stored, captions).AllSucceeded());
    EXPECT_EQ(stored.ValF0, "64474,533");
    EXPECT_EQ(captions.LblPlageBas, "> 64463,533 Hz");
    EXPECT_EQ(captions.LblPlageHaut, "< 64485,533 Hz");
}

INSTANTIATE_TEST_SUITE_P(Locales, UnderLocale,
                         testing::Values(LocaleRow{"C", "C", "."},
                                         LocaleRow{"French", "fr_FR.UTF-8", ","},
                                         LocaleRow{"German", "de_DE.UTF-8", ","}),
                         calc_test::RowName{});

} // namespace
