#include "tools/samplegen/SampleModel.h"

#include <algorithm>
#include <cmath>

namespace korvex::samplegen {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kWaterHeat = 4190.0; // J/(kg K), a litre taken as a kilogram

double Clamp(double v, double lo, double hi)
{
    return std::min(std::max(v, lo), hi);
}

} // namespace

std::uint64_t Random::Next()
{
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double Random::Uniform()
{
    return static_cast<double>(Next() >> 11) * 0x1.0p-53;
}

double Random::Uniform(double low, double high)
{
    return low + (high - low) * Uniform();
}

int Random::Below(int n)
{
    return static_cast<int>(Uniform() * n);
}

std::uint64_t MixSeed(std::uint64_t a, std::uint64_t b, std::uint64_t c, std::uint64_t d)
{
    Random r(a * 0x100000001B3ull ^ (b << 17) ^ (c << 41) ^ d);
    r.Next();
    return r.Next();
}

// ---- Weather ----

Weather::Weather(int dayNumber, int dayOfYear, unsigned seed)
{
    Random r(MixSeed(seed, 0x57EA, static_cast<std::uint64_t>(dayNumber), 1));
    season_ = std::sin(2 * kPi * (dayOfYear - 80) / 365.25);
    // Mean about 1 °C in January and 19 °C in July, plus the mood of the day.
    mean_ = 10 - 9 * std::cos(2 * kPi * (dayOfYear - 20) / 365.25) + r.Uniform(-3.5, 3.5);
    const double dayLength = (12 + 4.2 * season_) * 60;
    const double noon = 12 * 60 + 50;
    sunrise_ = noon - dayLength / 2;
    sunset_ = noon + dayLength / 2;
    peak_ = 640 + 300 * season_;
    const double sky = r.Uniform();
    if (sky < 0.40) { // clear
        cloudBase_ = r.Uniform(0.9, 1.0);
        cloudSwing_ = 0.05;
    } else if (sky < 0.75) { // passing clouds
        cloudBase_ = r.Uniform(0.55, 0.8);
        cloudSwing_ = r.Uniform(0.25, 0.45);
    } else { // overcast
        cloudBase_ = r.Uniform(0.15, 0.35);
        cloudSwing_ = 0.08;
    }
    for (std::size_t i = 0; i < periods_.size(); ++i) {
        periods_[i] = r.Uniform(25, 140);
        phases_[i] = r.Uniform(0, 2 * kPi);
    }
}

double Weather::Outdoor(int minute) const
{
    // Coldest shortly before sunrise, warmest mid-afternoon.
    return mean_ + 4.5 * std::sin(2 * kPi * (minute - 9.5 * 60) / 1440.0);
}

double Weather::Irradiance(int minute) const
{
    if (minute <= sunrise_ || minute >= sunset_)
        return 0;
    const double height = std::sin(kPi * (minute - sunrise_) / (sunset_ - sunrise_));
    double clouds = 0;
    for (std::size_t i = 0; i < periods_.size(); ++i)
        clouds += std::sin(2 * kPi * minute / periods_[i] + phases_[i]);
    const double factor = Clamp(cloudBase_ + cloudSwing_ * clouds / 1.5, 0.08, 1.0);
    return peak_ * height * factor;
}

// ---- Solar controller: collector, 400-litre store, backup heater ----

SolarSimulation::SolarSimulation(const Weather& weather, Random& random) : weather_(weather)
{
    s_.outdoor = weather.Outdoor(0);
    s_.collector = s_.outdoor + random.Uniform(0, 2);
    s_.tankBottom = 28 + 10 * weather.Season() + random.Uniform(-2, 2);
    s_.tankTop = s_.tankBottom + 14 + random.Uniform(0, 4);
    s_.tankTop = std::max(s_.tankTop, 47.0);
    // Hot-water draws: morning, noon, two in the evening.
    drawStart_ = {6 * 60 + 20 + random.Below(60), 12 * 60 + random.Below(60),
                  18 * 60 + random.Below(60), 20 * 60 + random.Below(90)};
}

const SolarState& SolarSimulation::Step(int minute)
{
    SolarState& s = s_;
    s.outdoor = weather_.Outdoor(minute);
    const double g = weather_.Irradiance(minute);

    // Pump with hysteresis on the collector-to-store difference; its speed follows the difference.
    const double diff = s.collector - s.tankBottom;
    if (s.pump == 0 && diff > 7)
        s.pump = 30;
    else if (s.pump > 0 && diff < 3)
        s.pump = 0;
    if (s.pump > 0)
        s.pump = static_cast<int>(Clamp(30 + (diff - 7) * 8, 30, 100));

    const double speed = s.pump / 100.0;
    s.flow = std::round(speed * 6.0 * 10) / 10;
    s.power = s.pump > 0 ? std::max(0.0, s.flow / 60 * kWaterHeat * diff * 0.7) : 0;
    s.power = std::round(s.power);

    // Collector: absorbs sunlight, loses to the air, hands heat to the fluid.
    s.collector += 0.0074 * g - 0.067 * (s.collector - s.outdoor) - 0.15 * speed * diff;

    // Store: solar gain at the bottom, losses, stratification towards the top.
    const double storeHeat = 400 * kWaterHeat;
    s.tankBottom += s.power * 60 / storeHeat * 1.1 - 0.0003 * (s.tankBottom - 20);
    if (s.tankBottom > s.tankTop)
        s.tankTop += 0.04 * (s.tankBottom + 2 - s.tankTop);
    s.tankTop -= 0.00025 * (s.tankTop - 20);
    for (int start : drawStart_) {
        if (minute >= start && minute < start + 6) {
            s.tankTop -= 0.012 * (s.tankTop - 12);
            s.tankBottom -= 0.03 * (s.tankBottom - 12);
        }
    }

    // Backup heater keeps the top of the store usable.
    if (s.backupHeater == 0 && s.tankTop < 45)
        s.backupHeater = 100;
    else if (s.backupHeater > 0 && s.tankTop > 52)
        s.backupHeater = 0;
    if (s.backupHeater > 0)
        s.tankTop += 0.18;

    s.yieldToday += s.power / 60000.0;
    return s;
}

// ---- Heating circuit: weather-compensated mixed circuit ----

HeatingSimulation::HeatingSimulation(const Weather& weather, Random& random) : weather_(weather)
{
    s_.outdoor = weather.Outdoor(0);
    roomTarget_ = 20.5 + random.Uniform(0, 1);
    s_.room = roomTarget_ - 1.5;
    s_.flowTemp = 25 + random.Uniform(0, 3);
    s_.returnTemp = s_.flowTemp - 2;
}

const HeatingState& HeatingSimulation::Step(int minute)
{
    HeatingState& s = s_;
    s.outdoor = weather_.Outdoor(minute);
    const bool night = minute < 5 * 60 + 30 || minute >= 22 * 60;
    const bool heating = weather_.MeanOutdoor() < 16.5;
    double target = Clamp(roomTarget_ + (20 - s.outdoor) * 1.25, 24, 62);
    if (night)
        target -= 10;

    s.pump = heating ? (night ? 40 : 100) : 0;
    s.mixerOpen = 0;
    s.mixerClose = 0;
    if (heating) {
        if (s.flowTemp < target - 1.5)
            s.mixerOpen = 100;
        else if (s.flowTemp > target + 1.5)
            s.mixerClose = 100;
        s.flowTemp += 0.45 * (s.mixerOpen - s.mixerClose) / 100.0 - 0.02 * (s.flowTemp - s.room);
        s.returnTemp += 0.2 * (s.flowTemp - (s.flowTemp - s.room) * 0.25 - s.returnTemp);
        const double roomGoal = night ? roomTarget_ - 2 : roomTarget_;
        s.room += 0.004 * (roomGoal - s.room) + 0.0004 * (s.flowTemp - 30);
    } else {
        s.flowTemp += 0.01 * (s.room + 1 - s.flowTemp);
        s.returnTemp += 0.01 * (s.room - s.returnTemp);
        s.room += 0.002 * (std::max(s.outdoor, 18.0) + 3 - s.room);
    }
    return s;
}

// ---- Fresh-water station: heats drinking water through a plate exchanger ----

FreshWaterSimulation::FreshWaterSimulation(const Weather& weather, Random& random)
    : weather_(weather)
{
    s_.supply = 56 + 6 * weather.Season() + random.Uniform(-2, 2);
    s_.coldIn = 11 + 3 * weather.Season() + random.Uniform(-0.5, 0.5);
    s_.hotOut = 24;
    s_.primaryReturn = 26;
    auto addDraw = [&](int start, int minutes, double litres) {
        for (int m = start; m < start + minutes && m < 1440; ++m)
            draw_[static_cast<std::size_t>(m)] = static_cast<float>(litres);
    };
    // Showers in the morning and evening, short draws in between.
    addDraw(6 * 60 + random.Below(90), 5 + random.Below(6), random.Uniform(8, 11));
    if (random.Uniform() < 0.6)
        addDraw(7 * 60 + 30 + random.Below(60), 4 + random.Below(5), random.Uniform(8, 11));
    const int shortDraws = 8 + random.Below(8);
    for (int i = 0; i < shortDraws; ++i)
        addDraw(7 * 60 + random.Below(15 * 60), 1 + random.Below(2), random.Uniform(3, 6.5));
    addDraw(19 * 60 + random.Below(150), 6 + random.Below(10), random.Uniform(7, 12));
}

const FreshWaterState& FreshWaterSimulation::Step(int minute)
{
    FreshWaterState& s = s_;
    const double litres = draw_[static_cast<std::size_t>(minute)];
    s.supply -= 0.00015 * (s.supply - 20);
    s.coldIn += 0.002 * (11 + 3 * weather_.Season() - s.coldIn);
    if (litres > 0) {
        s.flow = std::round(litres * 10) / 10;
        s.pump = static_cast<int>(Clamp(25 + litres * 7, 25, 100));
        s.hotOut += 0.6 * (std::min(48.0, s.supply - 3) - s.hotOut);
        s.primaryReturn += 0.5 * (s.coldIn + 5 - s.primaryReturn);
        s.supply -= 0.004 * litres;
        s.power = std::round(s.flow / 60 * kWaterHeat * std::max(0.0, s.hotOut - s.coldIn));
    } else {
        s.flow = 0;
        s.pump = 0;
        s.power = 0;
        s.hotOut += 0.03 * (24 - s.hotOut);
        s.primaryReturn += 0.02 * (s.hotOut + 2 - s.primaryReturn);
    }
    return s;
}

} // namespace korvex::samplegen
