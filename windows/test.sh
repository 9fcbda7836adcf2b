#!/usr/bin/env bash
echo "windows: not yet built"
