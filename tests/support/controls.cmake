# Driver for the skinned controls: send, click, drag, wheel, read pixels (Windows tree).
