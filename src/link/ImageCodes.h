// The processor's codes for listening modes and trigger events, both ways.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "model/ValueLists.h"

namespace tavro {

// The code of a source's listening mode. The Pro Logic II modes have two
// codes: one without and one with back speakers. DSP Bypass, and any value
// outside the mode table, is sent as 110.
std::uint8_t modeToCode(int mode, bool backSpeakers);

// The listening mode of a code. DSP Bypass is read back from 130 as well as
// from 110, the code that is sent for it, so that a setup that went to the
// processor and came back keeps DSP Bypass. No value for a code outside the
// table.
std::optional<int> codeToMode(int code);

// The code of a trigger event by the text of its item in a trigger source
// list; no value for a text that is not an event.
std::optional<std::uint8_t> triggerEventCode(const std::string& text, ModelVariant variant);

// The event text that a trigger code stands for; no value when the model has
// no event with that code.
std::optional<std::string> triggerEventText(int code, ModelVariant variant);

}  // namespace tavro
