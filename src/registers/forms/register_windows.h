#pragma once

namespace veltrano {

class ReportViewer;
class TextMetrics;
class WindowRegistry;

// The windows of the registers subsystem built so far. The meter continuity
// report needs the report services; without them it is not offered.
void RegisterRegisterWindows(WindowRegistry& registry, const TextMetrics* metrics = nullptr,
                             ReportViewer* viewer = nullptr);

}  // namespace veltrano
