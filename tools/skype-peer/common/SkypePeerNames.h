#pragma once

// The D-Bus names the stand-in uses on every bus it serves.
namespace SkypePeerNames {
inline constexpr char kApiService[] = "com.Skype.API";
inline constexpr char kApiPath[] = "/com/Skype";
inline constexpr char kApiInterface[] = "com.Skype.API";
inline constexpr char kClientPath[] = "/com/Skype/Client";
inline constexpr char kClientInterface[] = "com.Skype.API.Client";
inline constexpr char kControlService[] = "local.skypepeer";
inline constexpr char kControlPath[] = "/SkypePeer";
inline constexpr char kControlInterface[] = "local.skypepeer.Control";
inline constexpr char kControlError[] = "local.skypepeer.Error";
inline constexpr char kReadyLine[] = "skype-peer: ready";
} // namespace SkypePeerNames
