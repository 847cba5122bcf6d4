#pragma once

// One simulated PID temperature controller: its 256 registers, a first-order
// thermal plant under a PI loop, and the fault it has been told to show.
// Register values are in the controller's integer units (degrees x 10^Dp).

#include "simcommand.h"

#include <array>
#include <cstdint>
#include <random>

namespace reg {
constexpr int SV = 0x00;
constexpr int InputType = 0x48;
constexpr int DP = 0x4B;
constexpr int Model = 0x86;
constexpr int Output = 0x87;
constexpr int Status = 0x88;
constexpr int PV = 0x8A;
} // namespace reg

namespace statusbit {
constexpr std::uint16_t OUT1 = 1 << 0;
constexpr std::uint16_t OUT2 = 1 << 1;
constexpr std::uint16_t AL1 = 1 << 3;
constexpr std::uint16_t AL2 = 1 << 4;
} // namespace statusbit

// Decimal places the controller shows for a model code and input type; linear input
// types take the DP register. Types outside the tables keep `fallback`.
int controllerDp(int modelCode, int inputType, int dpRegister, int fallback);

// What the fault of a station makes of the next request.
struct FaultDecision {
    bool answer = true;
    double extraDelayMs = 0;
    FaultKind mangle = FaultKind::none; // corrupt or garbage: spoil the reply bytes
};

class SimController {
public:
    // Degrees the plant settles to with no heat, the band above SV that starts cooling,
    // and the deviation that sets an alarm bit.
    static constexpr double kAmbient = 25.0;
    static constexpr double kCoolBand = 2.0;
    static constexpr double kAlarmBand = 5.0;

    SimController(int station, unsigned seed);

    int station() const { return station_; }

    std::uint16_t reg(int address) const { return regs_[std::size_t(address & 0xFF)]; }
    void setReg(int address, std::uint16_t value);

    int dp() const;
    void setModel(int modelCode, int inputType, int dp);
    // Puts the plant at `raw` (integer units); the loop carries on from there.
    void forcePv(std::int16_t raw);
    void setHold(bool hold) { hold_ = hold; }
    bool held() const { return hold_; }

    // Advances the plant by `dt` seconds and refreshes PV, output and status.
    void tick(double dt);
    double temperature() const { return temp_; }

    void setFault(FaultKind kind, double param);
    FaultKind fault() const { return fault_; }
    FaultDecision nextRequest();
    // Random bytes for a garbage reply.
    std::uint8_t randomByte();

private:
    double scale() const;
    void publish(double measured, double output);

    int station_;
    std::array<std::uint16_t, 256> regs_{};
    std::mt19937 rng_;
    std::normal_distribution<double> noise_{0.0, 0.05};

    double temp_ = kAmbient;
    double integral_ = 0;
    double svDeg_ = 0;
    int lastDp_ = 0;
    std::uint16_t lastPvReg_ = 0;
    bool hold_ = false;

    FaultKind fault_ = FaultKind::none;
    double faultParam_ = 0;
    std::uint64_t faultCounter_ = 0;
    bool repeatOwed_ = false; // "corrupt K": the next request repeats a spoiled read
};
