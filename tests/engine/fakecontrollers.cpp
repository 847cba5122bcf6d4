#include "fakecontrollers.h"

#include "frames.h"

#include <chrono>
#include <deque>
#include <string>

namespace {
constexpr int kBlockBoundSeconds = 10;

int crcWire(const std::vector<std::uint8_t> &bytes)
{
    std::vector<int> values(bytes.begin(), bytes.end());
    return CRC_checksum(values.data(), int(values.size()));
}

std::uint8_t sum8(const std::uint8_t *b, int from, int to)
{
    unsigned s = 0;
    for (int i = from; i <= to; ++i)
        s += b[i];
    return std::uint8_t(s & 0xFF);
}
} // namespace

// One fake device the link opens per transaction; the transaction is open..close.
class FakeControllers::Port : public SerialPort {
public:
    explicit Port(FakeControllers &bench) : bench_(bench) {}

    bool open(const std::string &deviceName) override
    {
        const std::string prefix = "fake:";
        if (deviceName.rfind(prefix, 0) != 0)
            return false;
        port_ = std::stoi(deviceName.substr(prefix.size()));
        if (!bench_.openAllowed(port_))
            return false;
        fresh_ = true;
        pending_.clear();
        return true;
    }
    bool configure(const LineConfig &config) override
    {
        baud_ = config.baudRate;
        return true;
    }
    int write(const std::uint8_t *data, int count, int) override
    {
        const std::vector<std::uint8_t> back = bench_.onRequest(port_, baud_, fresh_, data, count);
        fresh_ = false;
        pending_.insert(pending_.end(), back.begin(), back.end());
        return count;
    }
    int read(std::uint8_t *data, int count, int) override
    {
        if (pending_.empty()) {
            std::unique_lock<std::mutex> lock(bench_.mutex_);
            if (bench_.blockingReads_)
                bench_.interruptedCv_.wait_for(lock, std::chrono::seconds(kBlockBoundSeconds),
                                               [this] { return bench_.interrupted_; });
            return 0;
        }
        int n = 0;
        while (n < count && !pending_.empty()) {
            data[n++] = pending_.front();
            pending_.pop_front();
        }
        return n;
    }
    bool drain(int) override { return true; }
    void purge(bool input, bool) override
    {
        if (input)
            pending_.clear();
    }
    void close() override { pending_.clear(); }
    void interrupt() override
    {
        {
            std::lock_guard<std::mutex> lock(bench_.mutex_);
            bench_.interrupted_ = true;
        }
        bench_.interruptedCv_.notify_all();
    }

private:
    FakeControllers &bench_;
    int port_ = 0;
    int baud_ = 0;
    bool fresh_ = false;
    std::deque<std::uint8_t> pending_;
};

FakeControllers::FakeControllers() = default;
FakeControllers::~FakeControllers() = default;

std::string FakeControllers::deviceName(int port)
{
    return "fake:" + std::to_string(port);
}

SerialPortFactory FakeControllers::portFactory()
{
    return [this] { return std::unique_ptr<SerialPort>(new Port(*this)); };
}

PortNameResolver FakeControllers::portNames()
{
    return [](int port) { return deviceName(port); };
}

std::unique_ptr<TRs485Comm> FakeControllers::makeLink()
{
    return std::make_unique<TRs485Comm>(portFactory(), portNames());
}

void FakeControllers::setRegister(int port, int station, int reg, int value)
{
    std::lock_guard<std::mutex> lock(mutex_);
    registers_[{port, station}][reg] = value;
}

int FakeControllers::registerValue(int port, int station, int reg) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    const auto c = registers_.find({port, station});
    if (c == registers_.end())
        return 0;
    const auto r = c->second.find(reg);
    return r == c->second.end() ? 0 : r->second;
}

void FakeControllers::addController(int port, int station, int pv, int sv)
{
    setRegister(port, station, 0x8A, pv);
    setRegister(port, station, 0x88, 0);
    setRegister(port, station, 0x00, sv);
    setRegister(port, station, 0x87, 500);
    setRegister(port, station, 0x86, 104);
    setRegister(port, station, 0x48, 0);
}

void FakeControllers::setEcho(int port, bool on)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (on)
        echoOff_.erase(port);
    else
        echoOff_.insert(port);
}

void FakeControllers::setPortMissing(int port, bool missing)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (missing)
        missingPorts_.insert(port);
    else
        missingPorts_.erase(port);
}

void FakeControllers::setSilent(int port, int station, bool silent)
{
    std::lock_guard<std::mutex> lock(mutex_);
    scripts_[{port, station}].silent = silent;
}

void FakeControllers::failNext(int port, int station, int reg, int count)
{
    std::lock_guard<std::mutex> lock(mutex_);
    scripts_[{port, station}].failNext[reg] = count;
}

void FakeControllers::answerEveryOther(int port, int station, int reg)
{
    std::lock_guard<std::mutex> lock(mutex_);
    scripts_[{port, station}].everyOther[reg] = false;
}

void FakeControllers::setBlockingReads(bool on)
{
    std::lock_guard<std::mutex> lock(mutex_);
    blockingReads_ = on;
}

void FakeControllers::setHook(std::function<void(const FakeTransaction &)> hook)
{
    std::lock_guard<std::mutex> lock(mutex_);
    hook_ = std::move(hook);
}

std::vector<FakeTransaction> FakeControllers::transactions() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return log_;
}

void FakeControllers::clearTransactions()
{
    std::lock_guard<std::mutex> lock(mutex_);
    log_.clear();
}

bool FakeControllers::interrupted() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return interrupted_;
}

bool FakeControllers::openAllowed(int port) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return missingPorts_.count(port) == 0;
}

bool FakeControllers::echo(int port) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return echoOff_.count(port) == 0;
}

bool FakeControllers::decideAnswer(const Key &key, int port, int reg, bool firstOfTransaction,
                                   int &value)
{
    Script &script = scripts_[key];
    // The verdict of the transaction's first attempt holds for its retries.
    if (firstOfTransaction) {
        bool fail = script.silent;
        auto n = script.failNext.find(reg);
        if (!fail && n != script.failNext.end() && n->second > 0) {
            --n->second;
            fail = true;
        }
        auto e = script.everyOther.find(reg);
        if (!fail && e != script.everyOther.end()) {
            fail = !e->second;
            e->second = !e->second;
        }
        currentFails_[port] = fail;
    }
    const auto c = registers_.find(key);
    if (currentFails_[port] || c == registers_.end())
        return false;
    const auto r = c->second.find(reg);
    value = r == c->second.end() ? 0 : r->second;
    return true;
}

std::vector<std::uint8_t> FakeControllers::onRequest(int port, int baud, bool firstOfTransaction,
                                                     const std::uint8_t *b, int count)
{
    // Decode: 8 bytes with a good CRC is Modbus RTU, 7 with a good sum the native frame.
    bool rtu = false;
    FakeTransaction t;
    t.port = port;
    t.baud = baud;
    if (count == 8 && crcWire({b, b + 6}) == (b[6] << 8 | b[7]) && (b[1] == 0x03 || b[1] == 0x06)) {
        rtu = true;
        t.station = b[0];
        t.write = b[1] == 0x06;
    } else if (count == 7 && sum8(b, 0, 5) == b[6] && (b[0] == 'R' || b[0] == 'W')) {
        t.station = b[1];
        t.write = b[0] == 'W';
    } else {
        return {};
    }
    t.reg = b[3];
    t.value = std::uint16_t(b[4] << 8 | b[5]);

    std::vector<std::uint8_t> back;
    if (echo(port))
        back.assign(b, b + count);

    std::function<void(const FakeTransaction &)> hook;
    bool answer = false;
    int value = 0;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        const Key key{port, t.station};
        if (firstOfTransaction) {
            t.attempts = 1;
            log_.push_back(t);
            hook = hook_;
        } else if (!log_.empty()) {
            ++log_.back().attempts;
        }
        if (t.write)
            registers_[key][t.reg] = std::int16_t(t.value);
        else
            answer = decideAnswer(key, port, t.reg, firstOfTransaction, value);
    }
    if (hook)
        hook(t);
    if (!answer)
        return back; // a write's answer is never read, so none is made

    const std::uint8_t hi = std::uint8_t((value >> 8) & 0xFF);
    const std::uint8_t lo = std::uint8_t(value & 0xFF);
    if (rtu) {
        std::vector<std::uint8_t> r{std::uint8_t(t.station), 0x03, 0x02, hi, lo};
        const int crc = crcWire(r);
        r.push_back(std::uint8_t(crc >> 8));
        r.push_back(std::uint8_t(crc & 0xFF));
        back.insert(back.end(), r.begin(), r.end());
    } else {
        std::uint8_t r[8] = {'R', std::uint8_t(t.station), 0, std::uint8_t(t.reg), 0, hi, lo, 0};
        r[7] = sum8(r, 1, 6);
        back.insert(back.end(), r, r + 8);
    }
    return back;
}
