// Texture objects: lazy names, the bind cache, filters.
#include "scene/Texture.h"
#include <GL/glu.h>

GLuint Texture::boundTextureName = 0;

Texture::Texture() = default;

Texture::~Texture() {
    if (name != 0) {
        glDeleteTextures(1, &name);
        if (boundTextureName == name) boundTextureName = 0;
    }
}

void Texture::bind() { bindTarget(GL_TEXTURE_2D); }
void Texture::bind1D() { bindTarget(GL_TEXTURE_1D); }

void Texture::bindTarget(GLenum target) {
    if (name == 0) glGenTextures(1, &name);
    if (name == boundTextureName) return;
    boundTextureName = name;
    glBindTexture(target, name);
    if (wrapMode != 0) {
        glTexParameteri(target, GL_TEXTURE_WRAP_S, static_cast<GLint>(wrapMode));
        glTexParameteri(target, GL_TEXTURE_WRAP_T, static_cast<GLint>(wrapMode));
    }
    if (envMode != 0) glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, static_cast<GLfloat>(envMode));
}

void Texture::setFilter(int mipmapped) { applyFilter(GL_TEXTURE_2D, mipmapped); }
void Texture::setFilter1D(int mipmapped) { applyFilter(GL_TEXTURE_1D, mipmapped); }

void Texture::applyFilter(GLenum target, int mipmapped) {
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexParameteri(target, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(target, GL_TEXTURE_MIN_FILTER, mipmapped ? GL_NEAREST_MIPMAP_NEAREST : GL_LINEAR);
}

void Texture::upload(GLenum format, int width, int height, const void* texels, int mipmapped) {
    bind();
    setFilter(mipmapped);
    glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(format), width, height, 0, format, GL_UNSIGNED_BYTE, texels);
    if (mipmapped) gluBuild2DMipmaps(GL_TEXTURE_2D, 4, width, height, format, GL_UNSIGNED_BYTE, texels);
}
