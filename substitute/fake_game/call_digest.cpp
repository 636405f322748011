#include "fake_game/call_digest.h"

#include <cstdio>
#include <string_view>

namespace substitute {

namespace {

// Every bit of the value reaches every bit of the digest within a step or two.
uint64_t mix(uint64_t digest, uint64_t value) {
  digest = (digest ^ value) * 0x9E3779B97F4A7C15ull;
  return digest ^ (digest >> 32);
}

// The length, then the bytes eight to a word, the first byte lowest.
uint64_t mixText(uint64_t digest, std::string_view text) {
  digest = mix(digest, text.size());
  for (size_t start = 0; start < text.size(); start += 8) {
    uint64_t word = 0;
    for (size_t index = start; index < text.size() && index < start + 8; ++index) {
      word |= static_cast<uint64_t>(static_cast<unsigned char>(text[index])) << (8 * (index - start));
    }
    digest = mix(digest, word);
  }
  return digest;
}

void append(std::string& line, const char* format, auto... values) {
  char text[48];
  std::snprintf(text, sizeof text, format, values...);
  line += text;
}

void appendQuoted(std::string& line, std::string_view text) {
  line += '"';
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte >= 0x7F || c == '"' || c == '\\') {
      append(line, "\\x%02X", static_cast<unsigned>(byte));
    } else {
      line += c;
    }
  }
  line += '"';
}

}  // namespace

uint64_t digestCall(uint64_t digest, const NativeCall& call) {
  digest = mix(digest, call.info->hash);
  for (const Arg& arg : call.args) {
    switch (arg.kind) {
      case 't':
        digest = mixText(digest, arg.text);
        break;
      case 's':
        digest = mixText(digest, arg.text);
        for (size_t slot = 1; slot < arg.record.size(); ++slot) digest = mix(digest, arg.record[slot]);
        break;
      case 'b':
        digest = mix(digest, arg.record.size());
        for (const uint64_t value : arg.record) digest = mix(digest, value);
        break;
      case 'w':
        digest = mix(digest, static_cast<uint32_t>(arg.heldId()));
        break;
      default:
        digest = mix(digest, arg.slot);
        break;
    }
  }
  for (size_t slot = 0; slot < call.resultSlots; ++slot) digest = mix(digest, call.result[slot]);
  return digest;
}

std::string traceLine(const NativeCall& call) {
  std::string line(call.name());
  line += '(';
  for (size_t index = 0; index < call.args.size(); ++index) {
    const Arg& arg = call.args[index];
    if (index > 0) line += ", ";
    switch (arg.kind) {
      case 'f':
        append(line, "%g 0x%08X", static_cast<double>(arg.f()), static_cast<unsigned>(arg.u()));
        break;
      case 't':
        appendQuoted(line, arg.text);
        break;
      case 's':
        line += "speech ";
        appendQuoted(line, arg.text);
        for (size_t slot = 1; slot < arg.record.size(); ++slot) {
          append(line, " 0x%llX", static_cast<unsigned long long>(arg.record[slot]));
        }
        break;
      case 'b':
        line += "buffer";
        for (const uint64_t value : arg.record) append(line, " %lld", static_cast<long long>(value));
        break;
      case 'w':
        append(line, "&%d", static_cast<int>(arg.heldId()));
        break;
      default:
        append(line, "%d", static_cast<int>(arg.i()));
        break;
    }
  }
  line += ')';
  if (call.resultSlots > 0) line += " =";
  for (size_t slot = 0; slot < call.resultSlots; ++slot) {
    append(line, " 0x%016llX", static_cast<unsigned long long>(call.result[slot]));
  }
  return line;
}

}  // namespace substitute
