# Graph runner, stand-in pins and allocators, media-type builders, registry and COM set-up
# (Windows tree).
