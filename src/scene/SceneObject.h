// Base of every drawable object: motion, colour, a small render-state block and the billboard.
#pragma once
#include "core/Vec3.h"
#include <GL/gl.h>

class Texture;

// Every blend index in the program goes through these two tables.
extern const GLenum sourceBlendFactors[9];
extern const GLenum destBlendFactors[8];

class SceneObject {
public:
    SceneObject() = default;
    SceneObject(const SceneObject&) = default;
    SceneObject& operator=(const SceneObject&) = default;
    virtual ~SceneObject() = default;

    virtual void update();
    virtual bool overlaps(const SceneObject& other) const;
    virtual void draw();

    void beginRenderState() const;
    void endRenderState() const;
    void setColor(float r, float g, float b, float a);
    void applyDrag(float k);

    Vec3 position{0, 0, 0};
    Vec3 velocity{0, 0, 0};
    float radius = 1.0f;
    Vec3 extent{1, 1, 1};
    Color4 color{1, 1, 1, 1};
    Vec3 rotation{0, 0, 0};
    Vec3 spin{0, 0, 0};
    int visible = 1;
    int renderStateOn = 1;
    int faceCamera = 1;
    int alphaTest = 1;
    int blend = 1;
    int blendSrc = 2;
    int blendDst = 3;
    int depthTest = 1;
    int depthWrite = 1;
    float alphaRef = 0.1f;
    Texture* texture = nullptr;
    float texRepeat[2] = {1.0f, 1.0f};

private:
    bool texturing() const;
};
