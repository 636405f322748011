#include "fake_game/native_call.h"

#include <cstdio>
#include <cstring>

namespace substitute {

namespace {

std::string formatFloat(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
  return text;
}

}  // namespace

float Arg::f() const {
  const auto bits = static_cast<uint32_t>(slot);
  float value = 0.0f;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

std::string NativeCall::describe() const {
  std::string text(name());
  text += '(';
  for (size_t index = 0; index < args.size(); ++index) {
    const Arg& arg = args[index];
    if (index > 0) text += ", ";
    switch (arg.kind) {
      case 'f':
        text += formatFloat(arg.f());
        break;
      case 't':
        text += '"' + arg.text + '"';
        break;
      case 's':
        text += "speech \"" + arg.text + '"';
        break;
      case 'b':
        text += "buffer";
        break;
      case 'w':
        text += '&' + std::to_string(arg.heldId());
        break;
      default:
        text += std::to_string(arg.i());
        break;
    }
  }
  return text + ')';
}

}  // namespace substitute
