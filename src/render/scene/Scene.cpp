#include "render/scene/Scene.hpp"

namespace vesk::scene {

namespace {

void collect(const std::shared_ptr<Node>& node, std::vector<std::shared_ptr<Node>>& out) {
    out.push_back(node);
    for (const auto& child : node->children())
        collect(child, out);
}

} // namespace

Scene::Scene() : root_(Node::make("root")) {}

std::vector<std::shared_ptr<Node>> Scene::nodes() const {
    std::vector<std::shared_ptr<Node>> out;
    collect(root_, out);
    return out;
}

void Scene::update(double timeSeconds) {
    time_ = timeSeconds;
    // The snapshot keeps every node alive through the step, even one that an action removes
    // from the tree; a node no longer in the tree when its turn comes is not stepped.
    const auto all = nodes();
    for (const auto& node : all) {
        if (node == root_ || node->isDescendantOf(*root_)) node->step(timeSeconds);
    }
}

} // namespace vesk::scene
