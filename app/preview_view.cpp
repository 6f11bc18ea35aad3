#include "app/preview_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QWheelEvent>

#include <climits>
#include <cmath>

namespace {

// GLSL 1.20 and ES 2.0 alike, only their first lines differ. The light comes from the
// eye; both sides of a face are lit, since OBJ files wind their faces either way.
const char* const kVertexShader = R"(
attribute vec3 position;
attribute vec3 normal;
uniform mat4 viewProjection;
uniform mat4 view;
varying float light;
void main()
{
    vec3 seen = normalize((view * vec4(normal, 0.0)).xyz);
    light = 0.35 + 0.65 * abs(seen.z);
    gl_Position = viewProjection * vec4(position, 1.0);
}
)";

const char* const kFragmentShader = R"(
uniform vec4 colour;
varying float light;
void main()
{
    gl_FragColor = vec4(colour.rgb * light, colour.a);
}
)";

constexpr float kOrbitStep = 0.15f;
constexpr float kZoomStep = 0.8f;
constexpr qreal kClickSlack = 4; // pixels a click may move and stay a click

QMatrix4x4 ToQt(const varnoke::Matrix4& matrix)
{
    return QMatrix4x4(matrix.data()).transposed();
}

} // namespace

PreviewView::PreviewView(QWidget* parent)
    : QOpenGLWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
}

PreviewView::~PreviewView()
{
    // The base class destroys the context after this class is gone: nothing of ours may
    // hear of it then.
    disconnect(contextWatch_);
    makeCurrent();
    FreeGraphics();
    doneCurrent();
}

void PreviewView::SetGeometry(std::shared_ptr<const PreviewGeometry> geometry)
{
    geometry_ = std::move(geometry);
    groupStarts_ = geometry_ ? geometry_->mesh.GroupStarts() : std::vector<std::size_t> {};
    uploaded_ = false;
    Fit();
}

void PreviewView::SetColours(std::vector<QColor> colours)
{
    colours_ = std::move(colours);
    update();
}

void PreviewView::Fit()
{
    if (geometry_)
        camera_.Fit(geometry_->bvh.Bounds(), static_cast<float>(width()) / std::max(height(), 1));
    update();
}

std::optional<std::size_t> PreviewView::GroupAt(QPointF point) const
{
    if (!geometry_)
        return std::nullopt;
    const varnoke::Ray ray = camera_.RayThrough(static_cast<float>(point.x()), static_cast<float>(point.y()),
                                                static_cast<float>(width()), static_cast<float>(height()));
    const auto hit = geometry_->bvh.Pick(geometry_->mesh, ray);
    if (!hit)
        return std::nullopt;
    return geometry_->mesh.triangles[hit->triangle].group;
}

void PreviewView::initializeGL()
{
    initializeOpenGLFunctions();
    // A new context (the first, or after the pane was floated or docked) has nothing of ours.
    disconnect(contextWatch_);
    contextWatch_ = connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, [this] {
        makeCurrent();
        FreeGraphics();
        doneCurrent();
    });
    const QByteArray version = context()->isOpenGLES() ? "#version 100\nprecision mediump float;\n" : "#version 120\n";
    program_ = new QOpenGLShaderProgram;
    program_->addShaderFromSourceCode(QOpenGLShader::Vertex, version + kVertexShader);
    program_->addShaderFromSourceCode(QOpenGLShader::Fragment, version + kFragmentShader);
    program_->bindAttributeLocation("position", 0);
    program_->bindAttributeLocation("normal", 1);
    if (!program_->link()) {
        delete program_;
        program_ = nullptr;
    }
    uploaded_ = false;
}

void PreviewView::FreeGraphics()
{
    delete program_;
    program_ = nullptr;
    if (corners_.isCreated())
        corners_.destroy();
    uploaded_ = false;
}

void PreviewView::Upload()
{
    // Each corner with its face's normal: flat shading without derivatives or indices.
    const varnoke::Mesh& mesh = geometry_->mesh;
    uploaded_ = true;
    // A buffer's size is an int: a figure beyond it (some 29 million triangles) is not drawn.
    drawable_ = mesh.triangles.size() <= static_cast<std::size_t>(INT_MAX) / (18 * sizeof(float));
    if (!drawable_)
        return;
    std::vector<float> corners;
    corners.reserve(mesh.triangles.size() * 18);
    for (const varnoke::Triangle& triangle : mesh.triangles) {
        varnoke::Vec3 p[3];
        for (int i = 0; i < 3; ++i) {
            const float* xyz = mesh.positions.data() + std::size_t { triangle.corners[i] } * 3;
            p[i] = { xyz[0], xyz[1], xyz[2] };
        }
        const varnoke::Vec3 normal = varnoke::Normalized(varnoke::Cross(p[1] - p[0], p[2] - p[0]));
        for (const varnoke::Vec3& corner : p)
            corners.insert(corners.end(), { corner.x, corner.y, corner.z, normal.x, normal.y, normal.z });
    }
    if (!corners_.isCreated())
        corners_.create();
    corners_.bind();
    corners_.allocate(corners.data(), static_cast<int>(corners.size() * sizeof(float)));
    corners_.release();
}

void PreviewView::paintGL()
{
    glClearColor(0.42f, 0.44f, 0.47f, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (!program_ || !geometry_ || geometry_->mesh.triangles.empty())
        return;
    if (!uploaded_)
        Upload();
    if (!drawable_)
        return;
    glEnable(GL_DEPTH_TEST);
    const float aspect = static_cast<float>(width()) / std::max(height(), 1);
    program_->bind();
    program_->setUniformValue("viewProjection", ToQt(varnoke::Multiply(camera_.Projection(aspect), camera_.View())));
    program_->setUniformValue("view", ToQt(camera_.View()));
    corners_.bind();
    program_->enableAttributeArray(0);
    program_->enableAttributeArray(1);
    program_->setAttributeBuffer(0, GL_FLOAT, 0, 3, 6 * sizeof(float));
    program_->setAttributeBuffer(1, GL_FLOAT, 3 * sizeof(float), 3, 6 * sizeof(float));
    for (std::size_t group = 0; group + 1 < groupStarts_.size(); ++group) {
        const std::size_t first = groupStarts_[group];
        const std::size_t count = groupStarts_[group + 1] - first;
        if (count == 0)
            continue;
        program_->setUniformValue("colour", group < colours_.size() ? colours_[group] : QColor(Qt::lightGray));
        glDrawArrays(GL_TRIANGLES, static_cast<GLint>(first * 3), static_cast<GLsizei>(count * 3));
    }
    corners_.release();
    program_->release();
}

void PreviewView::mousePressEvent(QMouseEvent* event)
{
    pressedAt_ = lastAt_ = event->position();
    dragged_ = false;
}

void PreviewView::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF moved = event->position() - lastAt_;
    lastAt_ = event->position();
    dragged_ = dragged_ || (event->position() - pressedAt_).manhattanLength() > kClickSlack;
    if (!dragged_)
        return;
    const float height = static_cast<float>(std::max(this->height(), 1));
    if (event->buttons() & Qt::LeftButton)
        camera_.Orbit(static_cast<float>(-moved.x()) * 0.01f, static_cast<float>(moved.y()) * 0.01f);
    else
        camera_.Pan(static_cast<float>(-moved.x()) / height, static_cast<float>(moved.y()) / height);
    update();
}

void PreviewView::mouseReleaseEvent(QMouseEvent* event)
{
    if (dragged_ || event->button() != Qt::LeftButton)
        return;
    if (const auto group = GroupAt(event->position()))
        emit groupClicked(*group);
}

void PreviewView::wheelEvent(QWheelEvent* event)
{
    camera_.Zoom(std::pow(kZoomStep, static_cast<float>(event->angleDelta().y()) / 120));
    update();
}

void PreviewView::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left:
        camera_.Orbit(kOrbitStep, 0);
        break;
    case Qt::Key_Right:
        camera_.Orbit(-kOrbitStep, 0);
        break;
    case Qt::Key_Up:
        camera_.Orbit(0, kOrbitStep);
        break;
    case Qt::Key_Down:
        camera_.Orbit(0, -kOrbitStep);
        break;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        camera_.Zoom(kZoomStep);
        break;
    case Qt::Key_Minus:
        camera_.Zoom(1 / kZoomStep);
        break;
    case Qt::Key_Home:
        Fit();
        break;
    default:
        QOpenGLWidget::keyPressEvent(event);
        return;
    }
    update();
}
