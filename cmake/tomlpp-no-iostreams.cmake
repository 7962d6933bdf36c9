# Where a standard library cannot read a float with std::from_chars (the browser's), toml++ reads and
# writes floats through string streams, which pull iostreams and every locale facet into the program:
# 210 KB of the browser's. The copy reads them with strtod and writes them with snprintf instead, as
# the C locale does.
set(tomlpp_parser ${PROJECT_BINARY_DIR}/third_party/toml++/impl/parser.inl)
file(READ ${tomlpp_parser} text)
string(REPLACE [=[			std::ostringstream ss;
			ss.imbue(std::locale::classic());
			ss.precision(std::numeric_limits<arg_type>::max_digits10);
			ss << arg;
			concatenate(write_pos, buf_end, to_sv(std::move(ss).str()));]=] [=[			char text[32];
			std::snprintf(text, sizeof text, "%.17g", arg);
			concatenate(write_pos, buf_end, std::string_view{ text });]=] text "${text}")
string(REPLACE [=[				std::stringstream ss;
				ss.imbue(std::locale::classic());
				ss.write(chars, static_cast<std::streamsize>(length));
				if ((ss >> result))
					return result * sign;]=] [=[				const std::string text(chars, length);
				char* end = nullptr;
				result	  = std::strtod(text.c_str(), &end);
				if (end == text.c_str() + length)
					return result * sign;]=] text "${text}")
string(REPLACE "#include <istream>\n" "#include <cstdio>\n#include <cstdlib>\n#include <istream>\n" text "${text}")
if(NOT text MATCHES "std::strtod" OR NOT text MATCHES "%\\.17g")
  message(FATAL_ERROR "toml++'s parser has changed: cmake/tomlpp-no-iostreams.cmake no longer fits it")
endif()
file(WRITE ${tomlpp_parser} "${text}")
