#pragma once

// A bench of emulated controllers behind a fake serial port. The port decodes each
// request frame the link writes (both protocols), answers from a register table per
// (port, station), follows per-station failure scripts and records every transaction.

#include "serialport.h"
#include "trs485comm.h"

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <vector>

struct FakeTransaction {
    int port = 0;
    int baud = 0;
    int station = 0;
    int reg = 0;          // as framed: the mapped address for writes
    bool write = false;
    std::uint16_t value = 0; // written value
    int attempts = 0;     // request frames seen within the transaction
};

class FakeControllers {
public:
    FakeControllers();
    ~FakeControllers();

    // Device name of a port number, as the resolver gives it to the link.
    static std::string deviceName(int port);
    SerialPortFactory portFactory();
    PortNameResolver portNames();
    std::unique_ptr<TRs485Comm> makeLink();

    // Registers; a station answers only once it has at least one register set.
    void setRegister(int port, int station, int reg, int value);
    int registerValue(int port, int station, int reg) const;
    // A controller on `port` answering PV, status, SV, output, model and input type.
    void addController(int port, int station, int pv = 250, int sv = 300);

    // Echo of the 4-wire converter on `port` (default on).
    void setEcho(int port, bool on);
    void setPortMissing(int port, bool missing);

    // Failure scripts, judged per transaction (every attempt of one read alike).
    void setSilent(int port, int station, bool silent);
    // The next `count` reads of `reg` from the station get no answer at all.
    void failNext(int port, int station, int reg, int count);
    // Reads of `reg` are answered in alternate transactions, the first one not.
    void answerEveryOther(int port, int station, int reg);
    // Reads block until the link is interrupted (or a safety bound of seconds).
    void setBlockingReads(bool on);

    // Called on the engine thread with each new transaction, before it is answered.
    void setHook(std::function<void(const FakeTransaction &)> hook);

    std::vector<FakeTransaction> transactions() const;
    void clearTransactions();
    bool interrupted() const;

private:
    class Port;
    struct Script {
        bool silent = false;
        std::map<int, int> failNext;  // register -> reads left to fail
        std::map<int, bool> everyOther; // register -> answer the next one
    };
    using Key = std::pair<int, int>; // port, station

    // Port side, called with the frame the link wrote; returns the bytes to read back.
    std::vector<std::uint8_t> onRequest(int port, int baud, bool firstOfTransaction,
                                        const std::uint8_t *data, int count);
    // Under the lock: whether this attempt is answered, and with which value.
    bool decideAnswer(const Key &key, int port, int reg, bool firstOfTransaction, int &value);
    bool openAllowed(int port) const;
    bool echo(int port) const;

    mutable std::mutex mutex_;
    std::condition_variable interruptedCv_;
    std::map<Key, std::map<int, int>> registers_;
    std::map<Key, Script> scripts_;
    std::set<int> missingPorts_;
    std::set<int> echoOff_;
    bool blockingReads_ = false;
    bool interrupted_ = false;
    std::function<void(const FakeTransaction &)> hook_;
    std::vector<FakeTransaction> log_;
    std::map<int, bool> currentFails_; // port -> verdict of its transaction in flight
};
