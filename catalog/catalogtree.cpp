#include "catalog/catalogtree.h"

#include "platform/namecollation.h"

#include <algorithm>

void CatalogTree::Clear()
{
    m_nodes.clear();
    m_roots.clear();
}

int CatalogTree::Add(int parent, Kind kind, const std::string& text, std::uint32_t data)
{
    const int id = int(m_nodes.size());
    Node node;
    node.kind = kind;
    node.text = text;
    node.data = data;
    node.parent = parent;
    m_nodes.push_back(std::move(node));
    (parent < 0 ? m_roots : At(parent).children).push_back(id);
    return id;
}

int CatalogTree::InsertLeafSorted(int parent, const std::string& text, std::uint32_t data)
{
    const int id = Add(parent, Kind::Leaf, text, data);
    std::vector<int>& siblings = parent < 0 ? m_roots : At(parent).children;
    siblings.pop_back();
    auto at = std::find_if(siblings.begin(), siblings.end(),
                           [&](int sibling) { return NameLess(text, At(sibling).text); });
    siblings.insert(at, id);
    return id;
}

void CatalogTree::Remove(int id)
{
    if (!Valid(id))
        return;
    for (int child : std::vector<int>(At(id).children))
        Remove(child);
    std::vector<int>& siblings = At(id).parent < 0 ? m_roots : At(At(id).parent).children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), id), siblings.end());
    At(id).removed = true;
    At(id).children.clear();
}

int CatalogTree::FirstChild(int id) const
{
    if (id >= 0 && !Valid(id))
        return -1;
    const std::vector<int>& children = Children(id);
    return children.empty() ? -1 : children.front();
}

void CatalogTree::Collect(int id, std::vector<int>& out) const
{
    out.push_back(id);
    for (int child : At(id).children)
        Collect(child, out);
}

std::vector<int> CatalogTree::DisplayOrder() const
{
    std::vector<int> out;
    for (int root : m_roots)
        Collect(root, out);
    return out;
}

int CatalogTree::LeafCount(int id) const
{
    if (!Valid(id))
        return 0;
    if (At(id).kind == Kind::Leaf)
        return 1;
    int count = 0;
    for (int child : At(id).children)
        count += LeafCount(child);
    return count;
}
