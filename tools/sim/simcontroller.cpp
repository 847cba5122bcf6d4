#include "simcontroller.h"

#include <algorithm>
#include <cmath>

namespace {

// Heater power in degrees of steady rise at full output, and the plant's time constant.
constexpr double kHeaterGain = 400.0;
constexpr double kTimeConstantS = 300.0;
constexpr double kProportional = 0.1; // output fraction per degree
constexpr double kIntegral = 0.002;   // output fraction per degree-second

std::int16_t clampToInt16(double v)
{
    return static_cast<std::int16_t>(std::clamp(std::lround(v), -32768L, 32767L));
}

bool inList(int v, std::initializer_list<int> list)
{
    return std::find(list.begin(), list.end(), v) != list.end();
}

struct StationDefaults {
    int model;
    int inputType;
    int dpRegister;
};

// Four kinds of controller by station number, so one line shows Dp 1, 0 and 2.
StationDefaults defaultsFor(int station)
{
    switch (station % 4) {
    case 1:
        return {104, 0, 1};  // thermocouple, table A, one decimal
    case 2:
        return {7, 9, 1};    // table B, one decimal
    case 3:
        return {104, 2, 0};  // table A, whole degrees
    default:
        return {7, 18, 2};   // linear input, DP register 2
    }
}

} // namespace

int controllerDp(int modelCode, int inputType, int dpRegister, int fallback)
{
    if (modelCode == 104) {
        if (inList(inputType, {0, 1, 6, 7, 21, 22, 23, 28, 29, 30, 33, 34, 35, 39, 40, 41, 45, 46, 47}))
            return 1;
        if ((inputType >= 2 && inputType <= 5) || (inputType >= 8 && inputType <= 20)
            || inList(inputType, {24, 25, 26, 27, 31, 32, 36, 37, 38, 42, 43, 44, 48, 49, 50}))
            return 0;
        if (inputType >= 51 && inputType <= 55)
            return dpRegister;
        return fallback;
    }
    if (inList(inputType, {0, 2, 9, 14}))
        return 1;
    if (inputType == 1 || (inputType >= 3 && inputType <= 8) || (inputType >= 10 && inputType <= 13)
        || inputType == 15 || inputType == 16)
        return 0;
    if (inputType >= 17 && inputType <= 20)
        return dpRegister;
    return fallback;
}

SimController::SimController(int station, unsigned seed)
    : station_(station), rng_(seed ^ (0x9E3779B9u * unsigned(station)))
{
    static const double kSetValues[10] = {200, 150, 85.5, 120, 250, 60, 180, 300, 95, 220};
    const StationDefaults d = defaultsFor(station);
    regs_[reg::Model] = std::uint16_t(d.model);
    regs_[reg::InputType] = std::uint16_t(d.inputType);
    regs_[reg::DP] = std::uint16_t(d.dpRegister);
    lastDp_ = dp();

    svDeg_ = kSetValues[(station + 9) % 10];
    // A third of the plants start cold and heat up, a third sit at SV, a third are
    // too hot and cool down, so a fresh demo shows every lamp.
    switch (station % 3) {
    case 0:
        temp_ = kAmbient;
        break;
    case 1:
        temp_ = svDeg_;
        break;
    default:
        temp_ = svDeg_ + 12;
        break;
    }
    integral_ = std::clamp((svDeg_ - kAmbient) / kHeaterGain, 0.0, 1.0);
    regs_[reg::SV] = std::uint16_t(clampToInt16(svDeg_ * scale()));
    const double out = std::clamp(kProportional * (svDeg_ - temp_) + integral_, 0.0, 1.0);
    publish(temp_, out);
}

double SimController::scale() const
{
    return std::pow(10.0, dp());
}

int SimController::dp() const
{
    const int dpReg = std::clamp<int>(static_cast<std::int16_t>(regs_[reg::DP]), 0, 3);
    const int d = controllerDp(static_cast<std::int16_t>(regs_[reg::Model]),
                               static_cast<std::int16_t>(regs_[reg::InputType]), dpReg, 0);
    return std::clamp(d, 0, 3);
}

void SimController::setReg(int address, std::uint16_t value)
{
    regs_[std::size_t(address & 0xFF)] = value;
}

void SimController::setModel(int modelCode, int inputType, int dp)
{
    regs_[reg::Model] = std::uint16_t(modelCode);
    regs_[reg::InputType] = std::uint16_t(inputType);
    if (dp >= 0)
        regs_[reg::DP] = std::uint16_t(dp);
    // Keep the plant and set point in degrees; only their integer form changes.
    const int now = this->dp();
    if (now != lastDp_) {
        regs_[reg::SV] = std::uint16_t(clampToInt16(svDeg_ * scale()));
        lastDp_ = now;
        publish(temp_, regs_[reg::Output] / 1000.0);
    }
}

void SimController::forcePv(std::int16_t raw)
{
    regs_[reg::PV] = std::uint16_t(raw);
    temp_ = raw / scale();
    lastPvReg_ = regs_[reg::PV];
}

void SimController::publish(double measured, double output)
{
    const double s = scale();
    regs_[reg::PV] = std::uint16_t(clampToInt16(measured * s));
    lastPvReg_ = regs_[reg::PV];
    const auto out = static_cast<std::uint16_t>(std::clamp(std::lround(output * 1000), 0L, 1000L));
    regs_[reg::Output] = out;

    std::uint16_t status = regs_[reg::Status] & ~(statusbit::OUT1 | statusbit::OUT2 | statusbit::AL1 | statusbit::AL2);
    if (out > 0)
        status |= statusbit::OUT1;
    if (measured > svDeg_ + kCoolBand)
        status |= statusbit::OUT2;
    if (measured > svDeg_ + kAlarmBand)
        status |= statusbit::AL1;
    if (measured < svDeg_ - kAlarmBand)
        status |= statusbit::AL2;
    regs_[reg::Status] = status;
}

void SimController::tick(double dt)
{
    if (hold_ || dt <= 0)
        return;
    const double s = scale();
    const int d = dp();
    if (d != lastDp_) {
        // The DP register or input type changed through a write.
        regs_[reg::SV] = std::uint16_t(clampToInt16(svDeg_ * s));
        lastDp_ = d;
    } else if (regs_[reg::PV] != lastPvReg_) {
        temp_ = static_cast<std::int16_t>(regs_[reg::PV]) / s; // PV written from outside
    }
    svDeg_ = static_cast<std::int16_t>(regs_[reg::SV]) / s;

    const double error = svDeg_ - temp_;
    const double p = kProportional * error;
    double u = p + integral_;
    const bool saturatedHigh = u >= 1.0 && error > 0;
    const bool saturatedLow = u <= 0.0 && error < 0;
    if (!saturatedHigh && !saturatedLow)
        integral_ = std::clamp(integral_ + kIntegral * error * dt, 0.0, 1.0);
    u = std::clamp(p + integral_, 0.0, 1.0);

    double rate = (kHeaterGain * u - (temp_ - kAmbient)) / kTimeConstantS;
    if (temp_ > svDeg_ + kCoolBand)
        rate -= (temp_ - kAmbient) / kTimeConstantS; // cooling output doubles the loss
    temp_ += rate * dt;

    publish(temp_ + noise_(rng_), u);
}

void SimController::setFault(FaultKind kind, double param)
{
    fault_ = kind;
    faultParam_ = param;
    faultCounter_ = 0;
    repeatOwed_ = false;
}

FaultDecision SimController::nextRequest()
{
    FaultDecision d;
    switch (fault_) {
    case FaultKind::none:
        break;
    case FaultKind::silent:
        d.answer = false;
        break;
    case FaultKind::corrupt:
        if (faultParam_ <= 1) {
            d.mangle = fault_;
        } else if (repeatOwed_) {
            // The link asks again at once: that repeat belongs to the spoiled read, so it
            // is answered whole and not counted, and one read in K sees a bad check sum.
            repeatOwed_ = false;
        } else if (++faultCounter_ % static_cast<std::uint64_t>(faultParam_) == 0) {
            d.mangle = fault_;
            repeatOwed_ = true;
        }
        break;
    case FaultKind::garbage:
        d.mangle = fault_;
        break;
    case FaultKind::every: {
        const auto k = static_cast<std::uint64_t>(std::max(1.0, faultParam_));
        d.answer = (++faultCounter_ % k) == 0;
        break;
    }
    case FaultKind::late:
        d.extraDelayMs = faultParam_;
        break;
    }
    return d;
}

std::uint8_t SimController::randomByte()
{
    return static_cast<std::uint8_t>(rng_() & 0xFF);
}
