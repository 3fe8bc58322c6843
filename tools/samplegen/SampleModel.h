#pragma once

// The physics behind the sample logs: weather of a day and the three device simulations. Each
// simulation steps minute by minute from midnight; states at midnight are derived from the day
// alone, so that every file can be made on its own.

#include <array>
#include <cstdint>

namespace korvex::samplegen {

// Small, fast, reproducible random numbers (splitmix64).
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next();
    double Uniform(); // [0, 1)
    double Uniform(double low, double high);
    int Below(int n); // 0 .. n-1
private:
    std::uint64_t state_;
};

std::uint64_t MixSeed(std::uint64_t a, std::uint64_t b, std::uint64_t c, std::uint64_t d);

// Weather shared by every device of a day (they hang on the same house).
class Weather {
public:
    Weather(int dayNumber, int dayOfYear, unsigned seed);
    double Outdoor(int minute) const;    // °C
    double Irradiance(int minute) const; // W/m² on the collector
    double MeanOutdoor() const { return mean_; }
    double Season() const { return season_; } // -1 in midwinter .. +1 in midsummer
private:
    double mean_ = 10;
    double season_ = 0;
    double sunrise_ = 360, sunset_ = 1080; // minutes after midnight
    double peak_ = 800;
    double cloudBase_ = 1, cloudSwing_ = 0;
    std::array<double, 3> periods_{}, phases_{};
};

// One line's worth of simulated values; which of them a device writes is its own choice.
struct SolarState {
    double collector, tankBottom, tankTop, outdoor, flow, power, yieldToday;
    int pump, backupHeater;
};
struct HeatingState {
    double outdoor, flowTemp, room, returnTemp;
    int pump, mixerOpen, mixerClose;
};
struct FreshWaterState {
    double supply, hotOut, coldIn, primaryReturn, flow, power;
    int pump;
};

class SolarSimulation {
public:
    SolarSimulation(const Weather& weather, Random& random);
    const SolarState& Step(int minute); // advances to the given minute and returns the state
private:
    const Weather& weather_;
    SolarState s_{};
    std::array<int, 4> drawStart_{};
};

class HeatingSimulation {
public:
    HeatingSimulation(const Weather& weather, Random& random);
    const HeatingState& Step(int minute);

private:
    const Weather& weather_;
    HeatingState s_{};
    double roomTarget_ = 21;
};

class FreshWaterSimulation {
public:
    FreshWaterSimulation(const Weather& weather, Random& random);
    const FreshWaterState& Step(int minute);

private:
    const Weather& weather_;
    FreshWaterState s_{};
    // Litres per minute drawn at each minute of the day.
    std::array<float, 1440> draw_{};
};

} // namespace korvex::samplegen
