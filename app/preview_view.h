#pragma once

#include "app/preview_loader.h"
#include "geometry/orbit_camera.h"

#include <QColor>
#include <QOpenGLBuffer>
#include <QOpenGLFunctions>
#include <QOpenGLShaderProgram>
#include <QOpenGLWidget>

#include <memory>
#include <optional>
#include <vector>

// Draws a figure's geometry, flat-shaded, one range of triangles per group in its own
// colour, with a camera the mouse and the keys move. The geometry stays on the processor,
// so a new context (the pane floated or docked again) gets it uploaded anew.
class PreviewView final : public QOpenGLWidget, protected QOpenGLFunctions {
    Q_OBJECT

public:
    explicit PreviewView(QWidget* parent = nullptr);
    ~PreviewView() override;

    void SetGeometry(std::shared_ptr<const PreviewGeometry> geometry);
    // One colour per group of the geometry.
    void SetColours(std::vector<QColor> colours);
    void Fit();
    // The group drawn at a point of the view; none where no triangle is.
    std::optional<std::size_t> GroupAt(QPointF point) const;

signals:
    void groupClicked(std::size_t group);

protected:
    void initializeGL() override;
    void paintGL() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Upload();
    void FreeGraphics();

    std::shared_ptr<const PreviewGeometry> geometry_;
    std::vector<QColor> colours_;
    std::vector<std::size_t> groupStarts_;
    varnoke::OrbitCamera camera_;
    QOpenGLShaderProgram* program_ = nullptr;
    QMetaObject::Connection contextWatch_;
    QOpenGLBuffer corners_ { QOpenGLBuffer::VertexBuffer };
    bool uploaded_ = false;
    bool drawable_ = false;
    QPointF pressedAt_;
    QPointF lastAt_;
    bool dragged_ = false;
};
