// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/namelistmodel.h"

#include <algorithm>

NameListModel::NameListModel(QObject *parent) : QAbstractListModel(parent)
{
}

NameListModel::~NameListModel() = default;

void NameListModel::setNames(std::vector<QString> names, std::vector<int> indents, int leadingRows)
{
    beginResetModel();
    // The old rows are freed after the reset is announced, not while views still read them.
    std::swap(m_names, names);
    std::swap(m_indents, indents);
    m_leadingRows = leadingRows;
    endResetModel();
}

void NameListModel::insertName(int row, QString name)
{
    beginInsertRows({}, row, row);
    m_names.insert(m_names.begin() + row, std::move(name));
    if (!m_indents.empty())
        m_indents.insert(m_indents.begin() + row, m_indents.back());
    endInsertRows();
}

void NameListModel::removeName(int row)
{
    beginRemoveRows({}, row, row);
    m_names.erase(m_names.begin() + row);
    if (!m_indents.empty())
        m_indents.erase(m_indents.begin() + row);
    endRemoveRows();
}

void NameListModel::moveName(int row, int to, QString name)
{
    const auto first = m_names.begin();
    if (to >= row)
        std::rotate(first + row, first + row + 1, first + to + 1);
    else
        std::rotate(first + to, first + row, first + row + 1);
    m_names[std::size_t(to)] = std::move(name);
    Q_EMIT dataChanged(index(std::min(row, to)), index(std::max(row, to)));
}

void NameListModel::setIcons(const QIcon &rowIcon, const QIcon &leadingIcon)
{
    m_rowIcon = rowIcon;
    m_leadingIcon = leadingIcon;
    if (!m_names.empty())
        Q_EMIT dataChanged(index(0), index(rowCount() - 1), {Qt::DecorationRole});
}

int NameListModel::rowOf(const QString &name) const
{
    const auto found = std::find(m_names.begin(), m_names.end(), name);
    return found == m_names.end() ? -1 : static_cast<int>(found - m_names.begin());
}

int NameListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_names.size());
}

QVariant NameListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const auto row = static_cast<std::size_t>(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
    case Qt::AccessibleTextRole:
        return m_names[row];
    case Qt::DecorationRole: {
        const QIcon &icon = index.row() < m_leadingRows ? m_leadingIcon : m_rowIcon;
        return icon.isNull() ? QVariant() : QVariant(icon);
    }
    case IndentRole:
        return row < m_indents.size() ? m_indents[row] : 0;
    default:
        return {};
    }
}
