// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/namelistmodel.h"

NameListModel::NameListModel(QObject *parent) : QAbstractListModel(parent)
{
}

NameListModel::~NameListModel() = default;

void NameListModel::setNames(std::vector<QString> names, std::vector<int> indents)
{
    beginResetModel();
    m_names = std::move(names);
    m_indents = std::move(indents);
    endResetModel();
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
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) {
        if (row < m_indents.size() && m_indents[row] > 0)
            return QString(QString(m_indents[row] * 2, u' ') + m_names[row]);
        return m_names[row];
    }
    return {};
}
