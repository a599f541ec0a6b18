// Setting commands shared by the keys and the popup's widgets, so that both change a setting the same way.
#pragma once

// Puts Prefs.polygonMode into force (fill, lines or points); also run every frame.
void applyPolygonMode();

// Each applies the setting's bounds and side effects and confirms itself with one status message,
// whichever way it was asked for. Keys pass the stepped value, widgets the value they show.
void setGroundHeight(float v);
void setObjectSize(float v);
void setTesselation(int n);
void setTexMag(int axis, float v);  // axis 0: across (F1/F2), 1: along (F3/F4)
void setUniverse(int universe);
void setFov(float v);
void setCameraZ(float v);
void setFade(float v);
void setPolygonMode(int mode);
void setLetterbox(int level);
void setClearScreen(int on);
void setPaused(int on);
void setBlendMode(int which, int index);
void setNoiseLevel(float v);
void setVignetteSize(float v);
// Shows the layers of the chosen combination.
void setLightmapMode(int flags);
