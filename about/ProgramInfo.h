#pragma once

// The program's identity, in one place.
namespace ProgramInfo {

inline constexpr const char* ProductName = "Brindle Video Splitter";
inline constexpr const char* DefaultVersion = "1.8";
inline constexpr const char* HelpFileName = "Corvane.chm";

} // namespace ProgramInfo
