#pragma once
// The platform services a jump goes through.
namespace ks {

class Registry;
class WindowSystem;
class ProcessControl;

struct JumpPlatform {
    Registry& registry;
    WindowSystem& windows;
    ProcessControl& processes;
};

}  // namespace ks
