// One OpenGL texture object with a lazily created name and a bind cache.
#pragma once
#include <GL/gl.h>

class Texture {
public:
    Texture();
    virtual ~Texture();

    void bind();
    void bind1D();
    void setFilter(int mipmapped);
    void setFilter1D(int mipmapped);
    // Binds, sets the filters and uploads a 2D image of the given format (and its mipmaps when asked).
    void upload(GLenum format, int width, int height, const void* texels, int mipmapped);

    // Image loaders (BmpLoader.cpp) and generators (ProceduralTexture.cpp).
    int loadBmp(const char* fileName, int alphaKey, int keyThreshold, int mipmapped);
    int loadBmpLumAlpha(const char* fileName, int alphaKey, int keyThreshold, int mipmapped);
    void makeTexture(int kind, int mipmapped, float scale, int amount);
    void makeTextureLumAlpha(int kind, int mipmapped, float scale, int amount);
    void makeTexture256(int kind, int mipmapped, float scale, int amount);
    void makeTexture1D(int kind, int mipmapped, float scale, int amount);

    GLuint name = 0;
    GLenum wrapMode = GL_REPEAT;
    GLenum envMode = GL_MODULATE;
    float tint[4] = {1.0f, 1.0f, 1.0f, 1.0f};

    // The GL name most recently bound through bind or bind1D (names are unique across targets).
    static GLuint boundTextureName;

private:
    void bindTarget(GLenum target);
    static void applyFilter(GLenum target, int mipmapped);
};
