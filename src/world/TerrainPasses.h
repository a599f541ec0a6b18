// The terrain drawing passes: soft-edged height layers and the drifting cloud shadow.
#pragma once

class Volcano;

// Switched by the scene options page; not a saved preference.
extern int multiPassCloudShadow;

void drawLayers(Volcano& volcano);
void drawClouds(Volcano& volcano);
