#pragma once

class ParameterControl;
struct RenderOptions;

// Applies the parameter settings of the command line through the control object's
// clamping puts: --params, then each --set in order, then --tail, --mono and --bypass.
void ApplyRenderOptions(const RenderOptions& options, ParameterControl& control);
