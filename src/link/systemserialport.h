#pragma once

#include "serialport.h"

// The serial backend of the platform the program runs on.
SerialPortFactory systemSerialPortFactory();
