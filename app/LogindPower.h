#pragma once

#include "Platform.h"

// Powers the computer off through systemd-logind's PowerOff over the system bus, without an
// interactive authorisation prompt. Linux needs no privilege to be enabled first for this: what
// logind allows is its own policy. The reply is not waited for.
class LogindPower : public PowerControl
{
public:
    void PowerOff() override;
};
