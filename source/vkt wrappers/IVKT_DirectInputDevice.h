// What every input device of CVKT_DirectInput does once per frame: take its immediate state and its
// buffered records, and gain or give up access to the device.
#pragma once

class IVKT_DirectInputDevice
{
public:
    virtual ~IVKT_DirectInputDevice() = 0;
    // Captures the immediate state (the previous one is kept for the pressed/released tests). True
    // when a read succeeded.
    virtual bool ReadDevice() = 0;
    // Captures the records that arrived since the previous read. True when a read succeeded.
    virtual bool ReadBufferedDevice() = 0;
    virtual bool Acquire() = 0;
    virtual bool Unacquire() = 0;
};

inline IVKT_DirectInputDevice::~IVKT_DirectInputDevice() = default;
