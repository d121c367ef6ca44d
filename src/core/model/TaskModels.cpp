#include "core/model/TaskModels.hpp"

#include "core/model/FieldVisit.hpp"

namespace vesk {

bool operator==(const TaskList& a, const TaskList& b) { return sameFields(a, b); }
bool operator==(const TaskItem& a, const TaskItem& b) { return sameFields(a, b); }

} // namespace vesk

std::size_t std::hash<vesk::TaskList>::operator()(const vesk::TaskList& list) const {
    return vesk::hashOfFields(list);
}

std::size_t std::hash<vesk::TaskItem>::operator()(const vesk::TaskItem& task) const {
    return vesk::hashOfFields(task);
}
