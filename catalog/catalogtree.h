// The tree of a catalog window as plain data: parent nodes ("Провода",
// "Фильтры присоединения"), section nodes and leaves, each with its text and
// 32-bit item data.  Leaves are kept in the shared name order under their
// section; everything else in the order it was added.  Node ids stay valid
// until the tree is cleared, also when other nodes are removed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CatalogTree {
public:
    enum class Kind { Parent, Section, Leaf };
    struct Node {
        Kind kind = Kind::Leaf;
        std::string text;
        std::uint32_t data = 0;
        int parent = -1;
        std::vector<int> children;
        bool removed = false;
    };

    void Clear();
    // Appended after the last child of parent (-1: the top level).
    int Add(int parent, Kind kind, const std::string& text, std::uint32_t data);
    // A leaf under parent, before the first sibling whose text sorts after
    // it (equal texts keep the order of insertion).
    int InsertLeafSorted(int parent, const std::string& text, std::uint32_t data);
    void Remove(int id);

    bool Valid(int id) const { return id >= 0 && id < int(m_nodes.size()) && !m_nodes[std::size_t(id)].removed; }
    const Node& At(int id) const { return m_nodes[std::size_t(id)]; }
    Node& At(int id) { return m_nodes[std::size_t(id)]; }
    bool IsLeaf(int id) const { return Valid(id) && At(id).kind == Kind::Leaf; }
    const std::vector<int>& Children(int id) const { return id < 0 ? m_roots : At(id).children; }
    int FirstChild(int id) const;
    // Every live node in display order (parents before their children).
    std::vector<int> DisplayOrder() const;
    // Leaves under id (id itself when it is a leaf).
    int LeafCount(int id) const;
    bool Empty() const { return m_roots.empty(); }

private:
    void Collect(int id, std::vector<int>& out) const;

    std::vector<Node> m_nodes;
    std::vector<int> m_roots;
};
