#include "RenderSettings.h"

#include "ParameterControl.h"
#include "RenderOptions.h"

void ApplyRenderOptions(const RenderOptions& options, ParameterControl& control) {
    if (options.hasPresetValues)
        for (int i = 0; i < kPresetTextValues; ++i)
            control.PutField(kPresetTextOrder[i], options.presetValues[i]);
    for (const auto& set : options.fieldSets) control.PutField(set.first, set.second);
    if (options.tail) control.PutField(kTail, 1);
    control.PutStereoOutput(options.mono ? 0 : 1);
    control.SetBypass(options.bypass ? 1 : 0);
}
