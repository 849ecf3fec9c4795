#include <gtest/gtest.h>

#include "records/hertz.h"

namespace {

struct HertzCase {
    const char* Text;
    HertzReading Reading;
    int64_t Hertz;         // when a Frequency
    const char* FreqText;  // when a Frequency
};

TEST(Hertz, ReceiverTextsReadAsFrequenciesOrRefused) {
    const HertzCase cases[] = {
        {"9410000", HertzReading::Frequency, 9410000, "9410"},
        {"145000000", HertzReading::Frequency, 145000000, "145000"},
        {"9409500", HertzReading::Frequency, 9409500, "9410"},  // half a kHz rounds up
        {"9409499", HertzReading::Frequency, 9409499, "9409"},
        {"9650000.7", HertzReading::Frequency, 9650001, "9650"},
        {"9650000.5", HertzReading::Frequency, 9650001, "9650"},
        {"9650000.49", HertzReading::Frequency, 9650000, "9650"},
        {"0009410000", HertzReading::Frequency, 9410000, "9410"},
        {"1", HertzReading::Frequency, 1, "0"},
        {"0.5", HertzReading::Frequency, 1, "0"},
        {"999999499", HertzReading::Frequency, 999999499, "999999"},
        {"999999499.4", HertzReading::Frequency, 999999499, "999999"},
        {"999999499.5", HertzReading::OutOfRange, 0, ""},
        {"999999500", HertzReading::OutOfRange, 0, ""},
        {"1000000000000", HertzReading::OutOfRange, 0, ""},
        {"99999999999999999999999999", HertzReading::OutOfRange, 0, ""},
        {"0", HertzReading::OutOfRange, 0, ""},
        {"0.4", HertzReading::OutOfRange, 0, ""},
        {"-9410000", HertzReading::OutOfRange, 0, ""},
        {"-0", HertzReading::OutOfRange, 0, ""},
        {"1e12", HertzReading::NotANumber, 0, ""},
        {"", HertzReading::NotANumber, 0, ""},
        {"-", HertzReading::NotANumber, 0, ""},
        {"9410000.", HertzReading::NotANumber, 0, ""},
        {".5", HertzReading::NotANumber, 0, ""},
        {" 9410000", HertzReading::NotANumber, 0, ""},
        {"9410000 ", HertzReading::NotANumber, 0, ""},
        {"+9410000", HertzReading::NotANumber, 0, ""},
        {"9.4.1", HertzReading::NotANumber, 0, ""},
        {"RPRT 0", HertzReading::NotANumber, 0, ""},
        {"FM", HertzReading::NotANumber, 0, ""},
    };
    for (const HertzCase& c : cases) {
        int64_t hertz = -7;
        HertzReading reading = ReadHertz(c.Text, &hertz);
        EXPECT_EQ(reading, c.Reading) << c.Text;
        if (c.Reading == HertzReading::Frequency) {
            EXPECT_EQ(hertz, c.Hertz) << c.Text;
            EXPECT_EQ(FreqTextOfHertz(hertz), c.FreqText) << c.Text;
        } else {
            EXPECT_EQ(hertz, -7) << c.Text << " set a value it refused";
        }
    }
}

TEST(Hertz, WholeKhzRoundsHalfUp) {
    const int64_t cases[][2] = {{499, 0},        {500, 1},          {1499, 1},        {1500, 2},
                                {6010000, 6010}, {15770499, 15770}, {15770500, 15771}};
    for (const auto& c : cases) EXPECT_EQ(WholeKhz(c[0]), c[1]) << c[0];
}

}  // namespace
