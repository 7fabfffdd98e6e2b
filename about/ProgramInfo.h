#pragma once

// The program's identity, in one place.
namespace ProgramInfo {

inline constexpr const char* ProductName = "Brindle Video Splitter";
inline constexpr const char* DefaultVersion = "1.8";
inline constexpr const char* HelpFileName = "Corvane.chm";
inline constexpr const char* WebSite = "https://brindle-video-splitter.org/";

struct RelatedProduct
{
    const char* name;
    const char* address;
};

// The free tools the program stands on.
inline constexpr RelatedProduct RelatedProducts[3] = {
    {"FFmpeg - the encoder", "https://ffmpeg.org/"},
    {"mpv - the preview player", "https://mpv.io/"},
    {"Qt - the windows", "https://www.qt.io/"},
};

} // namespace ProgramInfo
