#pragma once
#include <cstdio>
#include <string>
#include <string_view>

#include "maker/problem.hpp"

// The little JSON the board maker's page reads from it: strings escaped as JSON wants them.
namespace wizlo::maker {

inline std::string jsonString(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(static_cast<unsigned char>(c)));
          out += escaped;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

inline std::string jsonProblem(const Problem& p) {
  return "{\"line\":" + std::to_string(p.line) + ",\"arabic\":" + jsonString(p.arabic) + ",\"english\":" +
         jsonString(p.english) + "}";
}

inline std::string jsonProblems(const Problems& problems) {
  std::string out = "[";
  for (const Problem& p : problems) out += (out.size() > 1 ? "," : "") + jsonProblem(p);
  return out + "]";
}

}  // namespace wizlo::maker
